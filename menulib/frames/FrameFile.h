// The ".frm" file: a frame already converted, processed and run-encoded for one display depth, read as it is
// (or used in place from a stream held in memory). A 36-byte header, then each present plane followed by its
// line table. Every plane is checked against the header at load, so drawing can trust it afterwards.
#pragma once
#include <cstdint>

class CFileBuf;
class CFrame;

struct FrameFileHeader {
    static constexpr int kSize = 36;
    static constexpr std::uint8_t kVersion = 0x32;  // "2"
    static constexpr std::uint32_t kMaxPlaneSize = 0x400000;

    std::uint8_t version = kVersion;
    std::uint8_t bitDepth = 0;
    std::int16_t hotSpotX = 0;  // -originX
    std::int16_t hotSpotY = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint32_t flags = 0;
    std::uint32_t planeSizes[5] = {};

    void Parse(const std::uint8_t* bytes);
    void Write(std::uint8_t* bytes) const;
};

// Why a ".frm" file was not read.
enum FrameFileResult : int {
    kFrameFileOk = 0,
    kFrameFileWrongVersion,
    kFrameFileShort,        // the file ends inside the header, a plane or a line table
    kFrameFileInconsistent  // planes, line tables or runs that do not cover the frame's pixels
};
