#include "frames/FrameImageModel.h"

#include "blit/BlitType.h"
#include "foundation/ProcessWide.h"
#include "frames/FrameLoad.h"
#include "frames/FrameNames.h"
#include "frames/FrameProcess.h"
#include "frames/ImageModel.h"
#include "frames/Sequence.h"
#include "frames/StandAloneFrame.h"

namespace {

class FramesModel final : public ImageModel {
public:
    const char* GetSequenceFileKind() override { return ::GetSequenceFileKind(); }
    const char* GetFrameFileKind() override { return ::GetFrameFileKind(); }
    FrameProcess* GetDefaultSequenceProcess() override { return &::GetDefaultSequenceProcess(); }
    FrameProcess* GetDefaultFrameProcess() override { return &::GetDefaultFrameProcess(); }
    FrameProcess* CreateFrameProcess() override { return new FrameProcessChain; }
    void DestroyFrameProcess(FrameProcess* process) override { delete process; }
    void CopyStepsTo(const FrameProcess& from, FrameProcess& to) override { from.CopyStepsTo(to); }
    ClassInfo* GetSequenceClassInfo() override { return CSequence::GetStaticClassInfo(); }
    ClassInfo* GetFrameClassInfo() override { return CFrame::GetStaticClassInfo(); }
    ClassInfo* GetStandAloneFrameClassInfo() override { return CStandAloneFrame::GetStaticClassInfo(); }

    bool LoadSequenceFile(CObject* sequence, const char* folder, const char* name, FrameProcess& pipeline) override
    {
        auto* animation = dynamic_cast<CSequence*>(sequence);
        return animation && animation->LoadFile(folder, name, &pipeline);
    }
    CObject* LoadFrameDescription(const char* folder, const char* name, FrameProcess& pipeline, int useCacheFolder,
                                  int openFlags, ClassInfo* itemClass) override
    {
        return ::LoadFrameDescription(folder, name, pipeline, useCacheFolder, openFlags, itemClass);
    }

    BlitType* GetSequenceBlitType(CObject* sequence) override
    {
        auto* animation = dynamic_cast<CSequence*>(sequence);
        return animation ? animation->GetBlitType() : GetDefaultBlitType();
    }
    BlitType* GetFrameBlitType(CObject* standAloneFrame) override
    {
        auto* frame = dynamic_cast<CStandAloneFrame*>(standAloneFrame);
        return frame ? frame->GetBlitType() : GetDefaultBlitType();
    }
    BlitType* GetDefaultBlitType() override { return &NormalBlitType(); }
    void BlitAt(CFrameInterface* target, CObject* frame, int x, int y, BlitType* blitType) override
    {
        auto* source = dynamic_cast<CFrameInterface*>(frame);
        if (target && source) target->BlitAt(source, x, y, blitType);
    }

    float GetFrameRate(CObject* sequence) override
    {
        auto* animation = dynamic_cast<CSequence*>(sequence);
        return animation ? animation->GetFrameRate() : 0.0f;
    }
    int GetFrameCount(CObject* sequence) override
    {
        auto* animation = dynamic_cast<CSequence*>(sequence);
        return animation ? static_cast<int>(animation->GetFrameCount()) : 0;
    }
    CObject* SelectFrame(CObject* sequence, int index) override
    {
        auto* animation = dynamic_cast<CSequence*>(sequence);
        return animation && index >= 0 ? animation->GetFrame(static_cast<std::uint32_t>(index)) : nullptr;
    }
    // Frames hold their pixels for their whole life: there is nothing to pin around an access.
    void BeginAccess(CObject*) override {}
    void EndAccess(CObject*) override {}
};

}  // namespace

ImageModel& FrameImageModel()
{
    // Lives to the library's unload: the process-wide collections free their pipelines through it at exit.
    static FramesModel* model = NewProcessWide<FramesModel>(ReleaseStage::Objects);
    return *model;
}

void InstallFrameImageModel() { ImageModel::Install(&FrameImageModel()); }
