// A stand-in for the image model in the collection tests: sequences and frames are small test classes, load
// pipelines are lists of step names, and drawing is recorded.
#pragma once
#include <string>
#include <vector>

#include "foundation/Object.h"
#include "foundation/PropertyTypes.h"
#include "frames/ImageModel.h"

class CTestSequence : public CObject {
    DECLARE_PERSISTENT_CLASS(CTestSequence)
public:
    CTestSequence() { ConstructOwnMembers(); }
    ~CTestSequence() override { DestroyOwnMembers(); }
    std::int32_t m_frames = 0;
    float m_rate = 10.0f;
    CString m_loadedFrom;
};

class CTestFrame : public CObject {
    DECLARE_PERSISTENT_CLASS(CTestFrame)
public:
    CTestFrame() { ConstructOwnMembers(); }
    ~CTestFrame() override { DestroyOwnMembers(); }
    CString m_loadedFrom;
};

class CTestStandAloneFrame : public CTestFrame {
    DECLARE_PERSISTENT_CLASS(CTestStandAloneFrame)
public:
    CTestStandAloneFrame() { ConstructOwnMembers(); }
    ~CTestStandAloneFrame() override { DestroyOwnMembers(); }
};

class FakeImageModel : public ImageModel {
public:
    struct Process {
        std::vector<std::string> steps;
    };
    struct Draw {
        CObject* frame;
        int x, y;
        BlitType* blitType;
    };
    static BlitType* Blit(int n) { return reinterpret_cast<BlitType*>(static_cast<std::intptr_t>(n)); }
    static Process& Of(FrameProcess& process) { return *reinterpret_cast<Process*>(&process); }
    static FrameProcess* Handle(Process& process) { return reinterpret_cast<FrameProcess*>(&process); }

    FakeImageModel() { ImageModel::Install(this); }
    ~FakeImageModel() override { ImageModel::Install(nullptr); }

    const char* GetSequenceFileKind() override { return "seq16"; }
    const char* GetFrameFileKind() override { return "frm16"; }
    FrameProcess* GetDefaultSequenceProcess() override { return Handle(sequenceDefaults); }
    FrameProcess* GetDefaultFrameProcess() override { return Handle(frameDefaults); }
    FrameProcess* CreateFrameProcess() override { return Handle(*new Process); }
    void DestroyFrameProcess(FrameProcess* process) override { delete &Of(*process); }
    void CopyStepsTo(const FrameProcess& from, FrameProcess& to) override
    {
        ++copies;
        const Process& source = Of(const_cast<FrameProcess&>(from));
        for (const std::string& step : source.steps) Of(to).steps.push_back(step);
    }
    ClassInfo* GetSequenceClassInfo() override { return CTestSequence::GetStaticClassInfo(); }
    ClassInfo* GetFrameClassInfo() override { return CTestFrame::GetStaticClassInfo(); }
    ClassInfo* GetStandAloneFrameClassInfo() override { return CTestStandAloneFrame::GetStaticClassInfo(); }
    bool LoadSequenceFile(CObject* sequence, const char* folder, const char* name, FrameProcess& pipeline) override
    {
        if (onLoad) onLoad();
        auto* made = static_cast<CTestSequence*>(sequence);
        made->m_loadedFrom = (std::string(folder) + "|" + name).c_str();
        made->m_frames = frames;
        lastPipeline = Of(pipeline).steps;
        return true;
    }
    CObject* LoadFrameDescription(const char* folder, const char* name, FrameProcess& pipeline, int, int,
                                  ClassInfo* itemClass) override
    {
        if (onLoad) onLoad();
        if (failFrames) return nullptr;
        ClassInfo* made = plainFrames ? CTestFrame::GetStaticClassInfo() : itemClass;
        auto* frame = static_cast<CTestFrame*>(made->CreateInstance(0, -1));
        frame->m_loadedFrom = (std::string(folder) + name).c_str();
        lastPipeline = Of(pipeline).steps;
        return frame;
    }
    BlitType* GetSequenceBlitType(CObject*) override { return Blit(1); }
    BlitType* GetFrameBlitType(CObject*) override { return Blit(2); }
    BlitType* GetDefaultBlitType() override { return Blit(3); }
    void BlitAt(CFrameInterface*, CObject* frame, int x, int y, BlitType* blitType) override
    {
        draws.push_back({frame, x, y, blitType});
    }
    float GetFrameRate(CObject* sequence) override { return static_cast<CTestSequence*>(sequence)->m_rate; }
    int GetFrameCount(CObject* sequence) override { return static_cast<CTestSequence*>(sequence)->m_frames; }
    CObject* SelectFrame(CObject* sequence, int index) override
    {
        selected.push_back(index);
        return sequence;
    }
    void BeginAccess(CObject*) override { ++accesses; }
    void EndAccess(CObject*) override { --accesses; }

    Process sequenceDefaults{{"palette"}};
    Process frameDefaults{{"trim", "palette"}};
    std::vector<std::string> lastPipeline;
    std::vector<Draw> draws;
    std::vector<int> selected;
    int copies = 0;
    int accesses = 0;
    int frames = 4;
    bool failFrames = false;
    bool plainFrames = false;
    void (*onLoad)() = nullptr;
};
