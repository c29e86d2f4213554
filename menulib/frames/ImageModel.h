// What the folder-backed collections of frames and sequences use of the image model. The image model puts
// its own implementation in place when the library loads (ImageModel::Install); until one is installed the
// frame and sequence collections list their items but load no objects.
#pragma once

class CObject;
class ClassInfo;
class CFrameInterface;
class FrameProcess;
class BlitType;

class ImageModel {
public:
    virtual ~ImageModel() = default;

    // The file-kind words of the cache files of sequences and frames (the extensions under "Cache").
    virtual const char* GetSequenceFileKind() = 0;
    virtual const char* GetFrameFileKind() = 0;

    // Load pipelines: the shared default ones, and a collection's own, made empty and destroyed with it.
    virtual FrameProcess* GetDefaultSequenceProcess() = 0;
    virtual FrameProcess* GetDefaultFrameProcess() = 0;
    virtual FrameProcess* CreateFrameProcess() = 0;
    virtual void DestroyFrameProcess(FrameProcess* process) = 0;
    // FrameProcess::CopyStepsTo: adds a clone of every step to the other chain.
    virtual void CopyStepsTo(const FrameProcess& from, FrameProcess& to) = 0;

    // The class records: CSequence, CFrame and CStandAloneFrame.
    virtual ClassInfo* GetSequenceClassInfo() = 0;
    virtual ClassInfo* GetFrameClassInfo() = 0;
    virtual ClassInfo* GetStandAloneFrameClassInfo() = 0;

    // CSequence::LoadFile: reads a sequence from its cache file through the pipeline.
    virtual bool LoadSequenceFile(CObject* sequence, const char* folder, const char* name, FrameProcess& pipeline) = 0;
    // LoadFrameDescription: the object of folder + name + ".txt", or a default instance of the class.
    virtual CObject* LoadFrameDescription(const char* folder, const char* name, FrameProcess& pipeline,
                                          int useCacheFolder, int openFlags, ClassInfo* itemClass) = 0;

    // CSequence::GetBlitType, CStandAloneFrame::GetBlitType, and the default blit type.
    virtual BlitType* GetSequenceBlitType(CObject* sequence) = 0;
    virtual BlitType* GetFrameBlitType(CObject* standAloneFrame) = 0;
    virtual BlitType* GetDefaultBlitType() = 0;
    // CFrameInterface::BlitAt: draws a whole frame at (x, y) onto the target.
    virtual void BlitAt(CFrameInterface* target, CObject* frame, int x, int y, BlitType* blitType) = 0;

    // What the sequence load guard uses of a sequence.
    virtual float GetFrameRate(CObject* sequence) = 0;
    virtual int GetFrameCount(CObject* sequence) = 0;
    virtual CObject* SelectFrame(CObject* sequence, int index) = 0;
    virtual void BeginAccess(CObject* sequence) = 0;
    virtual void EndAccess(CObject* sequence) = 0;

    static ImageModel* Installed();
    // The installed model must stay alive until the process ends (the two process-wide collections free their
    // pipelines through it at exit), or be uninstalled with Install(nullptr) before it goes.
    static void Install(ImageModel* model);
};
