// The processing chain run on loaded images: an ordered set of steps, one of each type, that clean the alpha
// channel, crop, move the hot spot, run-encode and convert the frame to the display's bit depth. The chain's
// head is a FrameProcess of type 0; every step is a FrameProcess of its own type behind it.
#pragma once
#include <cstdint>
#include <memory>

class CFrame;

class FrameProcess {
public:
    enum StepType : int {
        kHead = 0,
        kCenterHotSpot = 2,
        kAlphaFloor = 3,
        kBlackBias = 4,
        kDarkCut = 5,
        kCrop = 6,
        kUnpremultiply = 7,
        kRunEncode = 8,
        kRunEncodeTwoPlane = 9,  // asked for as 9, kept as a run-encoding step of type 8 in its two-plane mode
        kPaletteFromImage = 10,
        kConvert = 11,
        kConvertDithered = 12,  // asked for as 12, kept as a conversion step of type 11 that dithers
    };

    FrameProcess() = default;
    virtual ~FrameProcess();
    FrameProcess(const FrameProcess&) = delete;
    FrameProcess& operator=(const FrameProcess&) = delete;

    // Inserts a step in type order; false when locked, already present, unknown or out of memory.
    bool AddStep(int type);
    bool RemoveStep(int type);
    bool HasStep(int type) const { return FindStep(type) != nullptr; }
    FrameProcess* FindStep(int type) const;
    // Adds a clone of every step to other, skipping the types other already has.
    void CopyStepsTo(FrameProcess& other) const;
    // The conversion step's target, else the head's target when set, else the display bit depth.
    int GetTargetBitDepth() const;
    // Runs every step over the frame; true only when every step succeeded.
    bool Apply(CFrame& frame);
    void Clear();

    int GetType() const { return m_type; }
    void SetTargetBitDepth(int bits) { m_targetBitDepth = bits; }
    void SetLocked(bool locked) { m_locked = locked; }
    bool IsLocked() const { return m_locked; }
    FrameProcess* GetNext() const { return m_next.get(); }

protected:
    explicit FrameProcess(int type) : m_type(type) {}
    // What the step does to a frame; chain is the head the step belongs to.
    virtual bool ApplyStep(CFrame& frame, const FrameProcess& chain) { return true; }
    virtual std::unique_ptr<FrameProcess> Clone() const = 0;

private:
    std::unique_ptr<FrameProcess> MakeStep(int type) const;

    std::unique_ptr<FrameProcess> m_next;
    std::int32_t m_type = kHead;
    std::int32_t m_targetBitDepth = -1;
    bool m_locked = false;
};

// A chain head: a FrameProcess that can be made.
class FrameProcessChain : public FrameProcess {
protected:
    std::unique_ptr<FrameProcess> Clone() const override { return std::make_unique<FrameProcessChain>(); }
};

// The library's shared chains, emptied and filled again on each request: frames 3, 6, 7, 11 or 12, 8;
// sequences the same.
FrameProcess& GetDefaultFrameProcess();
FrameProcess& GetDefaultSequenceProcess();

// The step of conversion to a bit depth.
class ConvertStep : public FrameProcess {
public:
    ConvertStep(bool dither, int targetBitDepth) : FrameProcess(kConvert), m_dither(dither), m_target(targetBitDepth) {}
    bool Dithers() const { return m_dither; }
    int GetTarget() const { return m_target; }

protected:
    bool ApplyStep(CFrame& frame, const FrameProcess& chain) override;
    std::unique_ptr<FrameProcess> Clone() const override { return std::make_unique<ConvertStep>(m_dither, m_target); }

private:
    bool m_dither;
    int m_target;
};

// The run-encoding step: mode 0 the banded form for 8-bit targets, mode 1 the two-plane form.
class RunEncodeStep : public FrameProcess {
public:
    explicit RunEncodeStep(int mode) : FrameProcess(kRunEncode), m_mode(mode) {}
    int GetMode() const { return m_mode; }

protected:
    bool ApplyStep(CFrame& frame, const FrameProcess& chain) override;
    std::unique_ptr<FrameProcess> Clone() const override { return std::make_unique<RunEncodeStep>(m_mode); }

private:
    int m_mode;
};

// The steps that need no parameters: 2, 3, 4, 5, 6, 7 and 10.
std::unique_ptr<FrameProcess> MakeSimpleStep(int type);
