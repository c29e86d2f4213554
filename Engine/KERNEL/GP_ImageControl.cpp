#include "GP_ImageControl.h"

#include <algorithm>

#include "GP_FormKinds.h"
#include "GP_GraphServer.h"
#include "GP_ServerSet.h"

namespace {

int DecimalDigits(std::int64_t value)
{
    int digits = 1;
    for (; value >= 10; value /= 10) ++digits;
    return digits;
}

}  // namespace

CGP_ImageControl::CGP_ImageControl(CGP_Object* parent, CGP_MouseCursor* mouseCursor) : CGP_Control(parent, mouseCursor)
{
    GP_ImageControlBlock* fields = GrowBlock<GP_ImageControlBlock>(GP_KindNumericDisplay);
    fields->digitStripID = GP_NoID;
    fields->valueVariable = GP_NoID;
    fields->digitLoadOption = GP_NoID;
}

void CGP_ImageControl::Write(CGP_ServerSet* servers) { WriteBlock(servers, sizeof(GP_ImageControlBlock)); }

void CGP_ImageControl::Bind(CGP_ActionLookup* actionTable)
{
    CGP_Control::Bind(actionTable);
    value = static_cast<std::int32_t*>(Variable(Digits()->valueVariable));
}

CGP_Surface* CGP_ImageControl::LoadStrip(CGP_ServerSet* servers)
{
    digitColorKeyRecord = std::make_unique<GP_ColorKeyRecord>(
        GP_ColorKeyRecord{static_cast<std::uint8_t>(*GetUseColorKey()), *GetColorKey()});
    servers->graphics->pendingColorKey = digitColorKeyRecord.get();
    CGP_Surface* strip = servers->graphics->LoadSurface(*GetDigitStripID(), *GetDigitLoadOption(), 0, nullptr);
    servers->graphics->pendingColorKey = nullptr;
    if (static_cast<std::uint8_t>(*GetDigitsUseColorKey())) {
        strip->useColorKey = 1;
        strip->SetSourceColorKey(*GetDigitColorKey());
    }
    return strip;
}

void CGP_ImageControl::CreateDigitFrames(CGP_ServerSet* servers)
{
    CGP_Surface* strip = LoadStrip(servers);
    digitFrames = std::make_unique<CGP_SurfaceFrames>();
    digitFrames->AddGrid(strip, 0, 0, *GetDigitWidth(), *GetDigitHeight(), 10, 1);
}

void CGP_ImageControl::CreateFrames(CGP_ServerSet* servers)
{
    CGP_Element::CreateFrames(servers);
    if (*GetDigitStripID() != GP_NoID) CreateDigitFrames(servers);
}

void CGP_ImageControl::ReloadImages(CGP_ServerSet* servers)
{
    CGP_Element::ReloadImages(servers);
    if (!digitFrames) return;
    CGP_Surface* strip = LoadStrip(servers);
    for (int i = 0; i < digitFrames->Count(); ++i) digitFrames->frames[i].surface = strip;
}

std::vector<CGP_ImageControl::PlacedDigit> CGP_ImageControl::PlaceDigits(std::int32_t shown) const
{
    const GP_ImageControlBlock& f = *Digits();
    const int places = std::clamp(f.places, 0, MaxPlaces);
    std::vector<PlacedDigit> placed;
    if (places == 0) return placed;
    std::int64_t divisor = 1;
    for (int i = 1; i < places; ++i) divisor *= 10;
    std::int64_t rest = std::clamp<std::int64_t>(shown, 0, divisor * 10 - 1);
    int x = 0;
    // The shift is one place short of a true right alignment, as the interface data expects.
    const int shift = places - DecimalDigits(rest) - 1;
    if (f.rightAlign && !f.leadingZeros && shift > 0) x += shift * f.digitWidth;
    bool started = false;
    for (int place = 0; place < places; ++place, divisor /= 10) {
        const int digit = static_cast<int>(rest / divisor);
        rest %= divisor;
        started = started || digit != 0;
        if (!f.leadingZeros && !started && place != places - 1) continue;
        placed.push_back({digit, x});
        x += f.digitWidth;
    }
    return placed;
}

void CGP_ImageControl::Draw()
{
    if (frames || !digitFrames) CGP_Element::Draw();
    CGP_Surface* back = BackBuffer();
    if (!value || !digitFrames || !back) return;
    const int x = static_cast<int>(GetAbsX()) + Digits()->digitOffsetX;
    const int y = static_cast<int>(GetAbsY()) + Digits()->digitOffsetY;
    for (const PlacedDigit& d : PlaceDigits(*value)) digitFrames->Draw(back, x + d.x, y, d.digit);
}
