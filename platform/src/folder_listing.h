// The one owner of an open folder listing (a DIR from opendir): it closes the listing when it goes.
#pragma once
#include <dirent.h>

#include <memory>
#include <string>

namespace platform {

struct FolderListingCloser {
    void operator()(DIR* listing) const { ::closedir(listing); }
};
using FolderListing = std::unique_ptr<DIR, FolderListingCloser>;

// The listing of folder ("" is the current folder); null when it cannot be read.
inline FolderListing OpenFolderListing(const std::string& folder)
{
    return FolderListing(::opendir(folder.empty() ? "." : folder.c_str()));
}

}  // namespace platform
