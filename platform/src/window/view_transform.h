// How a window shows its client area: the display scales the client picture into the window with the aspect
// kept, so window points and client pixels differ by an offset (the bars) and a scale.
#pragma once

namespace platform {

struct ViewTransform {
    // The window point where the client area's top-left corner appears.
    double originX = 0;
    double originY = 0;
    // Window points per client pixel.
    double scaleX = 1;
    double scaleY = 1;
    // The client area's size in client pixels.
    int clientWidth = 640;
    int clientHeight = 480;
};

// Window point -> client pixel, kept inside the client area (points on the bars go to its nearest edge).
void WindowPointToClient(const ViewTransform& view, double x, double y, int& clientX, int& clientY);
// Whether the window point lies on the client picture (not on the bars around it, nor outside the window).
bool WindowPointOnClient(const ViewTransform& view, double x, double y);
// Client pixel -> the window point at its centre.
void ClientToWindowPoint(const ViewTransform& view, int clientX, int clientY, int& x, int& y);

}  // namespace platform
