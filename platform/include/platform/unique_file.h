// The one owner of a C stream: it closes the stream when it goes. Where the result of the close matters (a file
// that was written), release the stream and close it yourself.
#pragma once
#include <cstdio>
#include <memory>
#include <string_view>

#include "platform/files.h"

namespace platform {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// OpenFile, owned; null when the file cannot be opened.
inline UniqueFile OpenUniqueFile(std::string_view path, const char* mode) { return UniqueFile(OpenFile(path, mode)); }

}  // namespace platform
