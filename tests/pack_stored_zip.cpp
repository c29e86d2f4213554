// Packs files into a stored zip archive with the menu library's own writer, for the end-to-end update tests:
// pack_stored_zip <archive> <member name> <file> [<member name> <file>...]
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "front/StoredZipWriter.h"

int main(int argc, char** argv)
{
    if (argc < 4 || argc % 2 != 0) {
        std::fprintf(stderr, "usage: pack_stored_zip <archive> <member name> <file> [<member name> <file>...]\n");
        return 2;
    }
    StoredZipWriter writer;
    if (!writer.Create(argv[1])) {
        std::fprintf(stderr, "pack_stored_zip: %s cannot be made\n", argv[1]);
        return 1;
    }
    for (int i = 2; i < argc; i += 2) {
        std::ifstream in(argv[i + 1], std::ios::binary);
        const std::vector<char> data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (!in.good() && !in.eof()) {
            std::fprintf(stderr, "pack_stored_zip: %s cannot be read\n", argv[i + 1]);
            return 1;
        }
        if (!writer.AddMember(argv[i], data.data(), static_cast<std::uint32_t>(data.size()), 0, 0x21)) {
            std::fprintf(stderr, "pack_stored_zip: %s cannot be added\n", argv[i]);
            return 1;
        }
    }
    return writer.Finish() ? 0 : 1;
}
