#include "PackTool.h"

#include <filesystem>
#include <memory>
#include <stdexcept>

#include "GP_Exception.h"
#include "PackBuilder.h"
#include "PackDump.h"
#include "PackManifest.h"

namespace packtool {

namespace {

const char* const Usage =
    "usage: packtool build <manifest> <pack> [--work <folder>]\n"
    "       packtool dump <pack> [--text <id or \"group|name\">]... [--all-texts]\n";

int Build(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 3 && !(args.size() == 5 && args[3] == "--work")) {
        err << Usage;
        return 2;
    }
    const std::filesystem::path output = args[2];
    const std::filesystem::path work =
        args.size() == 5 ? std::filesystem::path(args[4]) : std::filesystem::path(output.string() + ".work");
    try {
        BuildPackFromManifest(LoadManifest(args[1]), output, work);
    } catch (const ManifestError& e) {
        err << args[1] << ": " << e.what() << "\n";
        return 1;
    }
    out << "built " << output.string() << "\n";
    return 0;
}

int Dump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() < 2) {
        err << Usage;
        return 2;
    }
    DumpOptions options;
    for (std::size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--all-texts") {
            options.allTexts = true;
        } else if (args[i] == "--text" && i + 1 < args.size()) {
            options.texts.push_back(args[++i]);
        } else {
            err << Usage;
            return 2;
        }
    }
    DumpPack(args[1], options, out);
    return 0;
}

}  // namespace

int RunPackTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    try {
        if (!args.empty() && args[0] == "build") return Build(args, out, err);
        if (!args.empty() && args[0] == "dump") return Dump(args, out, err);
        err << Usage;
        return 2;
    } catch (const CGP_Exeption& e) {
        // The resource layers make every exception text with FormatNew and leave it to the catcher.
        std::unique_ptr<const char[]> text(e.text);
        std::unique_ptr<char[]> message(e.GetMessage());
        err << message.get() << "\n";
    } catch (const std::exception& e) {
        err << e.what() << "\n";
    }
    return 1;
}

}  // namespace packtool
