// An animation: an ordered list of frames with a frame rate, a blit type and a common offset. Its source is a
// ".Sequence" file (a strip picture and the frames' placements); for use it is converted for the display depth
// and cached in a ".seq" file that later runs load directly.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/Object.h"
#include "frames/Frame.h"
#include "frames/Jpeg.h"

class BlitType;
class CFileBuf;
class FrameProcess;

// The 24-bit millisecond tick that animations are timed by; tests may set their own source (null: the clock).
using TickSource = std::uint32_t (*)();
void SetSequenceTickSource(TickSource source);
std::uint32_t SequenceTicks24();

// The frame index for the current tick: round(t x rate x 0.001 + (start & 0x7FFF)) modulo count.
std::uint32_t FrameIndexAt(float frameRate, std::uint32_t count, std::uint32_t start);

// "%s/%s.Sequence" of "Cache/<folder>" and the name.
CString MakeSequenceSourcePath(const char* folder, const char* name);
// The ".seq" cache of the chain's target depth (the display depth without a chain).
CString MakeSequenceFileName(const char* folder, const char* name, const FrameProcess* chain);
// "SEQUENCE" while the naming switch is on, else "seq", "seq16", "seq24" or "seq32" by the display depth.
const char* GetSequenceFileKind();

class CSequence : public CObject {
    DECLARE_PERSISTENT_CLASS(CSequence)
public:
    enum LoadOption : std::int32_t {
        kCenterHotSpot = 1,
        kBlendedWithBlack = 2,
        kCropColor0 = 4,
        kUse8BitAlpha = 8,
        kDoDither = 16,
        kLossLess = 32,
    };

    CSequence();
    ~CSequence() override;

    void Init();
    void ReadCustomProperties(const CString& name, const CString& value, PropertyStream& stream) override;
    void WriteCustomBinary(PropertyStream& stream) const override;
    bool ReadCustomBinary(PropertyStream& stream) override;
    void ResetToDefaults() override;
    int InstanceSize() const override;

    bool LoadBinary(const char* folder, const char* name);
    void OffsetFrames(int dx, int dy);
    CFrame* GetFrame(std::uint32_t index) const;
    CFrame* GetCurrentFrame() const;
    CFrame* GetFrameAt(float fraction) const;
    std::uint32_t GetFrameCount() const { return static_cast<std::uint32_t>(m_frames.size()); }
    float GetFrameRate() const { return m_frameRate; }
    platform::Rect GetBounds() const { return m_bounds; }
    void RecomputeBounds();
    void ApplyOffsets();
    bool LoadSequenceFile(const char* folder, const char* name);
    bool SaveSequenceFile(const char* folder, const char* name, int quality, bool losslessOnly, bool wasRunEncoded);

    // Appends a frame (owned; null for an empty slot).
    void AddFrame(std::unique_ptr<CFrame> frame, bool firstVariant = false, bool secondVariant = false);
    BlitType* GetBlitType() const;
    bool LoadFile(const char* folder, const char* name, FrameProcess* chain);
    bool WriteSequenceFile(CFileBuf& stream, int quality, bool losslessOnly, bool wasRunEncoded) const;
    bool ReadSequenceFile(CFileBuf& stream);
    bool SaveBinary(const char* path) const;
    void FreeFrames();

    // The property setters: each does nothing when the value stays.
    void SetOffsets(std::int32_t x, std::int32_t y);
    void ChangeAndRebuild(std::int32_t& member, std::int32_t value);
    void SetLoadOption(std::int32_t option, bool on);
    std::int32_t GetLoadOptions() const { return m_loadOptions; }
    std::int32_t GetBlitTypeIndex() const { return m_blitType; }
    std::int32_t GetXOffset() const { return m_xOffset; }
    std::int32_t GetQuality() const { return m_quality; }
    void SetFrameRate(float rate) { m_frameRate = rate; }
    void SetBlitTypeIndex(std::int32_t index) { m_blitType = index; }

private:
    friend void DeclareSequence(ClassInfo* record);
    void Rebuild();
    bool LoadBinaryFile(const CString& path);
    void SyncCount() { m_frameCount = static_cast<std::int32_t>(m_frames.size()); }

    std::vector<std::unique_ptr<CFrame>> m_frames;
    platform::Rect m_bounds;
    std::int32_t m_loadOptions = kCenterHotSpot;
    std::int32_t m_blitType = -1;
    float m_frameRate = 15.0f;
    std::int32_t m_frameCount = 0;
    std::int32_t m_xOffset = 0;
    std::int32_t m_yOffset = 0;
    std::int32_t m_quality = 65;
    std::unique_ptr<std::uint8_t[], FreeDeleter> m_archiveBuffer;  // the cache file's memory while frames borrow it
    bool m_loading = false;
    bool m_rebuilding = false;
    bool m_borrowing = false;  // frames read now may borrow the stream's memory
};
