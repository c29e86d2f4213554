#include "frames/StandAloneFrame.h"

#include <memory>

#include "blit/BlitType.h"
#include "foundation/PropertyTypes.h"
#include "frames/FrameCache.h"
#include "frames/FrameProcess.h"
#include "frames/RunEncoders.h"

namespace {

constexpr int kNoFillsThreshold = 64;

void SetBlackBiasedOption(CObject* object, bool on) { static_cast<CStandAloneFrame*>(object)->SetBlackBiased(on); }
void SetBlitTypeOption(CObject* object, std::int32_t index)
{
    static_cast<CStandAloneFrame*>(object)->SetBlitTypeIndex(index);
}

}  // namespace

void DeclareStandAloneFrame(ClassInfo* record)
{
    const auto options = Member<&CStandAloneFrame::m_options>();
    record->AddProperty(new FlagPropertyInfo("Run Length Encode", options, CStandAloneFrame::kRunLengthEncode, true));
    record->GetLastProperty()->SetHelpText(
        "This controls if the image is held in memory in a compressed format.  Images with tanslucency must be RLE "
        "to see the tanslucency.           Images that are designed to wrap (like window background textures) or "
        "that draw directly to the screen (like a load spinner) cannont be RLE encoded.");
    record->AddProperty(new FlagPropertyInfo("RLE All Copy", options, CStandAloneFrame::kRleAllCopy, false));
    record->GetLastProperty()->SetHelpText(
        "This forces a frame that is RLEed to have no Fills in it.  Fills are   when the same pixel is repeated many "
        "times.  Things like JWindow Skin Alpha channels should set this so that they get the correct texture.   ");
    record->AddProperty(new FlagPropertyInfo("Crop Color 0", options, CStandAloneFrame::kCropColor0, true));
    record->AddProperty(new FlagPropertyInfo("Do Dither", options, CStandAloneFrame::kDoDither, true));
    record->AddProperty(new FlagPropertyInfo("Loss Less", options, CStandAloneFrame::kLossLess, false));
    record->GetLastProperty()->SetHelpText(
        "This controls if the image is saved with lossy or loss less   compression.  Lossy compression makes a lower "
        "quality image   and a smaller file size, Loss Less is perfect quality but a   larger file size.");
    record->AddProperty(new EnumPropertyInfo("Quality", Member<&CStandAloneFrame::m_quality>(),
                                             CStandAloneFrame::kDefaultQuality, 0, 100));
    record->GetLastProperty()->SetHelpText(
        "This controls the quality of the lossy compression.  A higher number makes a higher quality image with a "
        "larger file size.  A lower number will make a lower quality image with a smaller file size.");
    record->AddProperty(new FlagPropertyInfo("Center Hot Spot", options, CStandAloneFrame::kCenterHotSpot, false));
    record->AddProperty(new FlagPropertyInfo("Load Black Biased", options, CStandAloneFrame::kLoadBlackBiased, false,
                                             SetBlackBiasedOption));
    record->AddProperty(new FixedCollectionItemPropertyInfo("Blit Type", Member<&CStandAloneFrame::m_blitType>(),
                                                            &GetBlitTypeList(), "Normal", SetBlitTypeOption));
}

IMPLEMENT_PERSISTENT_CLASS(CStandAloneFrame, CFrame, 7.0f, DeclareStandAloneFrame)

CStandAloneFrame::CStandAloneFrame() { ConstructOwnMembers(); }
CStandAloneFrame::~CStandAloneFrame() { DestroyOwnMembers(); }

void CStandAloneFrame::SetBlitTypeIndex(std::int32_t index)
{
    m_blitType = index;
    if (index == kBlitBlendBlackBias)
        m_options |= kLoadBlackBiased;
    else
        m_options &= ~kLoadBlackBiased;
}

void CStandAloneFrame::SetBlackBiased(bool on)
{
    if (on) {
        m_options |= kLoadBlackBiased;
        m_blitType = kBlitBlendBlackBias;
    } else {
        m_options &= ~kLoadBlackBiased;
        m_blitType = kBlitTransparentMask;
    }
}

void CStandAloneFrame::AfterLoad(ReferenceSlot*)
{
    if (m_options & kLoadBlackBiased) m_blitType = kBlitBlendBlackBias;
}

BlitType* CStandAloneFrame::GetBlitType() const
{
    BlitType* type = GetBlitTypeList().GetType(m_blitType);
    return type ? type : &NormalBlitType();
}

bool CStandAloneFrame::Load(const char* folder, const char* name, FrameProcess* processChain, int useCacheFolder,
                            int openFlags)
{
    FrameProcessChain chain;
    (processChain ? *processChain : GetDefaultFrameProcess()).CopyStepsTo(chain);
    chain.RemoveStep(FrameProcess::kRunEncode);
    chain.RemoveStep(FrameProcess::kConvert);
    if (m_options & kLoadBlackBiased) {
        chain.RemoveStep(FrameProcess::kUnpremultiply);
        chain.AddStep(FrameProcess::kBlackBias);
    }
    chain.AddStep((m_options & kDoDither) ? FrameProcess::kConvertDithered : FrameProcess::kConvert);
    const bool runEncode = (m_options & kRunLengthEncode) != 0;
    if (runEncode) chain.AddStep(FrameProcess::kRunEncode);
    SetLosslessOnly((m_options & kLossLess) != 0);
    SetFrameCacheQuality(m_quality);
    const int threshold = GetRunFillThreshold();
    if (runEncode && (m_options & kRleAllCopy)) SetRunFillThreshold(kNoFillsThreshold);
    if (m_options & kCenterHotSpot)
        chain.AddStep(FrameProcess::kCenterHotSpot);
    else
        chain.RemoveStep(FrameProcess::kCenterHotSpot);
    const bool loaded = CFrame::Load(folder, name, &chain, useCacheFolder, openFlags);
    SetRunFillThreshold(threshold);
    SetLosslessOnly(false);
    SetFrameCacheQuality(kDefaultQuality);
    return loaded;
}
