// The texts of a program file's version block.
#pragma once
#include <string>

struct TVSFillFileInfo {
    std::string CompanyName;
    std::string FileDescription;
    std::string FileVersion;
    std::string InternalName;
    std::string LegalCopyright;
    std::string ProductDescription;
    std::string ProductName;
    std::string ProductVersion;
    std::string Comments;
    std::string LegalTrademark;
};

// Fills info from the file's version block, under the block's first translation; a text the block lacks is
// left empty. False, with info empty, when the file has no version block.
bool ReadVersionInfo(const std::string& fileName, TVSFillFileInfo& info);
