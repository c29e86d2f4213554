// The pack tool's command line:
//   packtool build <manifest> <pack> [--work <folder>]
//   packtool dump <pack> [--text <id>]... [--all-texts]
#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace packtool {

// The arguments after the program name; returns the exit code (0 done, 1 failed, 2 wrong arguments).
int RunPackTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace packtool
