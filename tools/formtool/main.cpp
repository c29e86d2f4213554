// The form tool: looks at a form without the game.
//   formtool sample <folder>                                    writes a sample library folder
//   formtool tree <folder> <form>                               prints the form's pages and controls
//   formtool render <folder> <form> <page> <width>x<height> <png> renders one page
// A form is taken as the library takes it: "Arcade/<form>.guiform.txt" when present, else from the form files
// under "Resources".
#include <cstdio>
#include <filesystem>
#include <string>

#include "FormTool.h"

namespace {

int Usage(const char* program)
{
    std::fprintf(stderr,
                 "usage: %s sample <folder>\n"
                 "       %s tree <folder> <form>\n"
                 "       %s render <folder> <form> <page> <width>x<height> <png>\n",
                 program, program, program);
    return 2;
}

bool EnterFolder(const std::string& folder)
{
    std::error_code error;
    std::filesystem::current_path(folder, error);
    if (error) std::fprintf(stderr, "cannot enter %s: %s\n", folder.c_str(), error.message().c_str());
    return !error;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) return Usage(argv[0]);
    const std::string command = argv[1];
    if (command == "sample" && argc == 3) return WriteSampleFolder(argv[2]) ? 0 : 1;
    if (command == "tree" && argc == 4) {
        if (!EnterFolder(argv[2])) return 1;
        UseLibraryFolder();
        return PrintFormTree(argv[3]) ? 0 : 1;
    }
    if (command == "render" && argc == 7) {
        int width = 0;
        int height = 0;
        if (std::sscanf(argv[5], "%dx%d", &width, &height) != 2 || width < 1 || height < 1) return Usage(argv[0]);
        const std::string png = std::filesystem::absolute(argv[6]).string();
        if (!EnterFolder(argv[2])) return 1;
        UseLibraryFolder();
        return RenderPage(argv[3], argv[4], width, height, png) ? 0 : 1;
    }
    return Usage(argv[0]);
}
