// versionblock <description> <output>: reads a version description (see game/VersionInfo.txt) and writes the
// bytes of the version block as the body of a C array.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win32_version.h"

namespace {

bool Fail(const std::string& why)
{
    std::fprintf(stderr, "versionblock: %s\n", why.c_str());
    return false;
}

// "a,b,c,d" of decimal (base 10) or hexadecimal (base 16) numbers, each at most 0xFFFF.
bool ParseNumbers(const std::string& text, int base, std::size_t count, WORD* out)
{
    std::stringstream list(text);
    std::string item;
    std::size_t n = 0;
    for (; std::getline(list, item, ','); ++n) {
        char* end = nullptr;
        const unsigned long number = std::strtoul(item.c_str(), &end, base);
        if (n >= count || item.empty() || *end != '\0' || number > 0xFFFF) return false;
        out[n] = static_cast<WORD>(number);
    }
    return n == count;
}

bool ParseDescription(std::istream& in, platform::VersionDescription& d)
{
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0)
            return Fail("line " + std::to_string(number) + ": no name=value");
        const std::string name = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        WORD translation[2];
        bool good = true;
        if (name == "@FileVersion") {
            good = ParseNumbers(value, 10, 4, d.fileVersion);
        } else if (name == "@ProductVersion") {
            good = ParseNumbers(value, 10, 4, d.productVersion);
        } else if (name == "@Translation") {
            good = ParseNumbers(value, 16, 2, translation);
            d.language = translation[0];
            d.codePage = translation[1];
        } else if (name[0] == '@') {
            good = false;
        } else {
            d.strings.emplace_back(name, value);
        }
        if (!good) return Fail("line " + std::to_string(number) + ": bad " + name);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: versionblock <description> <output>\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        Fail(std::string("cannot read ") + argv[1]);
        return 1;
    }
    platform::VersionDescription description;
    if (!ParseDescription(in, description)) return 1;
    const std::vector<BYTE> block = platform::BuildVersionBlock(description);
    if (block.empty()) {
        Fail("the texts are too long for a version block");
        return 1;
    }

    std::string text;
    char piece[8];
    for (std::size_t i = 0; i < block.size(); ++i) {
        std::snprintf(piece, sizeof piece, "0x%02x,", block[i]);
        text += piece;
        text += i % 16 == 15 ? "\n" : "";
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << text << "\n";
    if (!out) {
        Fail(std::string("cannot write ") + argv[2]);
        return 1;
    }
    return 0;
}
