#include "frames/ImageModel.h"

namespace {
ImageModel* g_installed = nullptr;
}  // namespace

ImageModel* ImageModel::Installed() { return g_installed; }
void ImageModel::Install(ImageModel* model) { g_installed = model; }
