#include "window/view_transform.h"

#include <algorithm>
#include <cmath>

namespace {

// The client pixel under a window point, before keeping it inside the client area.
void ClientPixelUnder(const platform::ViewTransform& view, double x, double y, double& clientX, double& clientY)
{
    clientX = std::floor((x - view.originX) / (view.scaleX > 0 ? view.scaleX : 1));
    clientY = std::floor((y - view.originY) / (view.scaleY > 0 ? view.scaleY : 1));
}

}  // namespace

namespace platform {

void WindowPointToClient(const ViewTransform& view, double x, double y, int& clientX, int& clientY)
{
    double cx = 0, cy = 0;
    ClientPixelUnder(view, x, y, cx, cy);
    clientX = static_cast<int>(std::clamp(cx, 0.0, static_cast<double>(std::max(view.clientWidth - 1, 0))));
    clientY = static_cast<int>(std::clamp(cy, 0.0, static_cast<double>(std::max(view.clientHeight - 1, 0))));
}

bool WindowPointOnClient(const ViewTransform& view, double x, double y)
{
    double cx = 0, cy = 0;
    ClientPixelUnder(view, x, y, cx, cy);
    return cx >= 0 && cy >= 0 && cx < view.clientWidth && cy < view.clientHeight;
}

void ClientToWindowPoint(const ViewTransform& view, int clientX, int clientY, int& x, int& y)
{
    x = static_cast<int>(std::floor(view.originX + (clientX + 0.5) * view.scaleX));
    y = static_cast<int>(std::floor(view.originY + (clientY + 0.5) * view.scaleY));
}

}  // namespace platform
