// Whole-file reading for the tool, through the platform's file opener.
#pragma once
#include <filesystem>
#include <string>

namespace packtool {

// Throws std::runtime_error when the file cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path);

}  // namespace packtool
