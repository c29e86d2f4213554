// The pack tool: builds resource packs from text manifests and lists what a pack holds.
#include <iostream>
#include <string>
#include <vector>

#include "PackTool.h"

int main(int argc, char** argv)
{
    return packtool::RunPackTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
