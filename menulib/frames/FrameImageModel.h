// The image model of this library behind the interface that the foundation's frame and sequence collections
// use. The library's initialisation installs it (InstallFrameImageModel); until then the collections list their
// items but load no objects.
#pragma once

class ImageModel;

ImageModel& FrameImageModel();
void InstallFrameImageModel();
