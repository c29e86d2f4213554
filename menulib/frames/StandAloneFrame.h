// The frame class whose options drive the rebuild of its ".frm" file: run encoding, dithering, the hot spot,
// black bias, lossless caches and the quality, and the blit type it is drawn with.
#pragma once
#include <cstdint>

#include "frames/Frame.h"

class BlitType;

class CStandAloneFrame : public CFrame {
    DECLARE_PERSISTENT_CLASS(CStandAloneFrame)
public:
    enum Option : std::int32_t {
        kLossLess = 1,
        kRunLengthEncode = 2,
        kCropColor0 = 4,
        kDoDither = 8,
        kRleAllCopy = 16,
        kCenterHotSpot = 32,
        kLoadBlackBiased = 64,
    };
    static constexpr int kDefaultQuality = 65;

    CStandAloneFrame();
    ~CStandAloneFrame() override;

    bool Load(const char* folder, const char* name, FrameProcess* processChain, int useCacheFolder,
              int openFlags) override;
    void AfterLoad(ReferenceSlot* references) override;
    // The blit type the frame is drawn with ("Normal" while its own is not registered).
    BlitType* GetBlitType() const;

    std::int32_t GetOptions() const { return m_options; }
    std::int32_t GetQuality() const { return m_quality; }
    std::int32_t GetBlitTypeIndex() const { return m_blitType; }
    void SetBlitTypeIndex(std::int32_t index);
    void SetBlackBiased(bool on);

private:
    friend void DeclareStandAloneFrame(ClassInfo* record);
    std::int32_t m_options = kRunLengthEncode | kCropColor0 | kDoDither;
    std::int32_t m_quality = kDefaultQuality;
    std::int32_t m_blitType = 0;
};
