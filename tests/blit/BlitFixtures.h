// Frames, pixels and the vector-unit switch shared by the blit tests.
#pragma once
#include <cstring>
#include <memory>
#include <vector>

#include "../frames/FrameFixtures.h"
#include "blit/BlitType.h"
#include "blit/SpanTables.h"
#include "frames/Frame.h"

namespace blit_test {

using frames_test::EncodedFrame;
using frames_test::NumberedFrame;
using frames_test::RunPlane;

// A plain frame of the given depth whose pixels are the bytes given, row by row.
inline std::unique_ptr<CFrame> FrameOf(int width, int height, int bits, const std::vector<std::uint8_t>& bytes)
{
    auto frame = std::make_unique<CFrame>();
    frame->Create(width, height, bits);
    std::memcpy(frame->GetPixels(), bytes.data(), std::min<std::size_t>(bytes.size(), width * height * bits / 8));
    return frame;
}

inline std::vector<std::uint8_t> BytesOf(const CFrame& frame)
{
    const std::uint8_t* p = frame.GetPixels();
    return {p, p + static_cast<std::size_t>(frame.GetWidth()) * frame.GetHeight() * frame.GetBytesPerPixel()};
}

inline std::uint16_t Pixel16(const CFrame& frame, int x, int y)
{
    std::uint16_t v;
    std::memcpy(&v, frame.GetPixels() + 2 * (y * frame.GetPitch() + x), 2);
    return v;
}

// Draws source's rectangle at the same-sized destination rectangle through the blit type's draw function.
inline bool Draw(CFrame& destination, CFrameInterface& source, platform::Rect sourceRect,
                 platform::Rect destinationRect, BlitType& blitType)
{
    return destination.DrawWithBlitType(&source, sourceRect, destinationRect, &blitType);
}

// Runs a test body with the plain draw functions and again with the vector-unit ones, then puts the
// processor's choice back.
class BothVariants {
public:
    explicit BothVariants(bool simd) : m_saved(BlitTypesUseSimd())
    {
        RegisterBlitTypes(simd);
        InitSpanTables(simd);
    }
    ~BothVariants()
    {
        RegisterBlitTypes(m_saved);
        InitSpanTables(m_saved);
    }

private:
    bool m_saved;
};

// Sets a blit type's opacity for the scope and puts 1.0 back.
class Opacity {
public:
    Opacity(BlitType& type, float opacity) : m_type(type) { type.SetOpacity(opacity); }
    ~Opacity() { m_type.SetOpacity(1.0f); }

private:
    BlitType& m_type;
};

}  // namespace blit_test
