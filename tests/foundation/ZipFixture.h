// Builds small stored zip archives for the tests, byte by byte.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/Crc32.h"

namespace zipfixture {

struct Member {
    std::string name;
    std::string data;
    std::string extra;       // extra field bytes, in both headers unless localExtra is set
    std::string localExtra;  // a different extra field for the local header only
    std::uint16_t method = 0;
};

inline void Put16(std::string& out, std::uint32_t v)
{
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
inline void Put32(std::string& out, std::uint32_t v)
{
    Put16(out, v);
    Put16(out, v >> 16);
}

// A stored archive; signature "PK" or "QX" for the end record.
inline std::string Build(const std::vector<Member>& members, const char* signature = "PK")
{
    std::string out, directory;
    for (const Member& m : members) {
        const std::uint32_t offset = static_cast<std::uint32_t>(out.size());
        const std::uint32_t crc = Crc32(m.data.data(), m.data.size());
        const std::string& local = m.localExtra.empty() ? m.extra : m.localExtra;
        Put32(out, 0x04034B50);
        Put16(out, 10);
        Put16(out, 0);
        Put16(out, m.method);
        Put16(out, 0x6000);
        Put16(out, 0x5A21);
        Put32(out, crc);
        Put32(out, m.data.size());
        Put32(out, m.data.size());
        Put16(out, m.name.size());
        Put16(out, local.size());
        out += m.name + local + m.data;
        Put32(directory, 0x02014B50);
        Put16(directory, 20);
        Put16(directory, 10);
        Put16(directory, 0);
        Put16(directory, m.method);
        Put16(directory, 0x6000);
        Put16(directory, 0x5A21);
        Put32(directory, crc);
        Put32(directory, m.data.size());
        Put32(directory, m.data.size());
        Put16(directory, m.name.size());
        Put16(directory, m.extra.size());
        Put16(directory, 0);
        Put16(directory, 0);
        Put16(directory, 0);
        Put32(directory, 0);
        Put32(directory, offset);
        directory += m.name + m.extra;
    }
    const std::uint32_t directoryOffset = static_cast<std::uint32_t>(out.size());
    out += directory;
    out += signature;
    out += "\x05\x06";
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, members.size());
    Put16(out, members.size());
    Put32(out, directory.size());
    Put32(out, directoryOffset);
    Put16(out, 0);
    return out;
}

// Where fields lie in a central header, counted from its signature, for damaging archives on purpose.
constexpr std::size_t kCentralCompressedSize = 20;
constexpr std::size_t kCentralSize = 24;
constexpr std::size_t kCentralLocalOffset = 42;

// The offset of the n-th central header (from 0) in an archive's bytes.
inline std::size_t CentralHeaderAt(const std::string& bytes, int n)
{
    std::size_t at = bytes.find("PK\x01\x02");
    while (n-- > 0) at = bytes.find("PK\x01\x02", at + 1);
    return at;
}

inline void Patch32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

inline std::vector<Member> ThreeMembers()
{
    return {
        {"Data/a.txt", "alpha", "", "", 0}, {"Data/b.txt", "bravo!", "", "", 0}, {"Other/c.bin", "charlie", "", "", 0}};
}

}  // namespace zipfixture
