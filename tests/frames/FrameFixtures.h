// Small frames made in code for the frame tests.
#pragma once
#include <cstring>
#include <memory>
#include <vector>

#include "frames/Frame.h"
#include "frames/RunLines.h"

namespace frames_test {

// The display depth for one scope; the one before comes back at its end, whatever the test did.
class DisplayDepth {
public:
    explicit DisplayDepth(int bits) : m_old(GetDisplayBitDepth()) { SetDisplayBitDepth(bits); }
    ~DisplayDepth() { SetDisplayBitDepth(m_old); }
    DisplayDepth(const DisplayDepth&) = delete;
    DisplayDepth& operator=(const DisplayDepth&) = delete;

private:
    int m_old;
};

// A width x height frame whose pixel (x, y) holds value base + y * width + x in every byte of the pixel.
inline std::unique_ptr<CFrame> NumberedFrame(int width, int height, int bits, int base = 1)
{
    auto frame = std::make_unique<CFrame>();
    frame->Create(width, height, bits);
    const int bytes = bits / 8;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            std::memset(frame->GetPixels() + (y * width + x) * bytes, base + y * width + x, bytes);
    return frame;
}

// A plane of run data: its length word, then the lines, with a table of where each line starts.
struct RunPlane {
    std::vector<std::uint8_t> bytes{0, 0, 0, 0};
    std::vector<std::uint32_t> lines;

    RunPlane& Line(std::initializer_list<std::uint8_t> runs)
    {
        lines.push_back(static_cast<std::uint32_t>(bytes.size()));
        bytes.insert(bytes.end(), runs);
        const auto length = static_cast<std::uint32_t>(bytes.size());
        std::memcpy(bytes.data(), &length, 4);
        return *this;
    }
    std::unique_ptr<std::uint8_t[]> Data() const
    {
        auto data = std::make_unique<std::uint8_t[]>(bytes.size());
        std::memcpy(data.get(), bytes.data(), bytes.size());
        return data;
    }
};

// An encoded frame of the given size, depth and encoding with the planes given (index 0 to 4, empty: absent).
inline std::unique_ptr<CFrame> EncodedFrame(int width, int height, int bits, std::uint32_t encoding,
                                            const std::vector<RunPlane>& planes)
{
    auto frame = std::make_unique<CFrame>();
    frame->SetSize(width, height);
    frame->SetBitDepth(bits);
    frame->SetEncoding(encoding);
    for (std::size_t i = 0; i < planes.size(); ++i)
        if (!planes[i].lines.empty()) frame->SetPlane(static_cast<int>(i), planes[i].Data(), planes[i].lines);
    return frame;
}

}  // namespace frames_test
