// The numeric display: an int32 game variable drawn digit by digit from a strip of the ten digits, over the
// element's own picture; with or without leading zeros, optionally shifted right.
#pragma once
#include <memory>
#include <vector>

#include "GP_Control.h"

struct GP_ImageControlBlock : GP_ControlBlock {
    std::int32_t digitWidth;  // also the advance per digit
    std::int32_t digitHeight;
    std::int32_t digitOffsetX;
    std::int32_t digitOffsetY;
    std::int32_t places;
    std::uint32_t digitsUseColorKey;  // a byte in a 4-byte field
    std::uint32_t digitColorKey;
    std::uint32_t digitStripID;
    std::uint32_t valueVariable;
    std::uint32_t digitLoadOption;
    std::uint8_t leadingZeros;
    std::uint8_t rightAlign;
    std::uint16_t unused;
};
static_assert(sizeof(GP_ImageControlBlock) == 128);

class CGP_ImageControl : public CGP_Control {
public:
    // 10^(places - 1) must fit in 32 bits.
    static constexpr int MaxPlaces = 10;

    CGP_ImageControl(CGP_Object* parent, CGP_MouseCursor* mouseCursor);

    void Write(CGP_ServerSet* servers) override;
    void CreateFrames(CGP_ServerSet* servers) override;
    void ReloadImages(CGP_ServerSet* servers) override;
    void Bind(CGP_ActionLookup* actionTable) override;
    void Draw() override;

    virtual std::int32_t* GetDigitWidth() { return &Digits()->digitWidth; }
    virtual std::int32_t* GetDigitHeight() { return &Digits()->digitHeight; }
    virtual std::uint32_t* GetDigitStripID() { return &Digits()->digitStripID; }
    virtual std::uint32_t* GetDigitLoadOption() { return &Digits()->digitLoadOption; }
    virtual std::int32_t* GetDigitOffsetX() { return &Digits()->digitOffsetX; }
    virtual std::int32_t* GetDigitOffsetY() { return &Digits()->digitOffsetY; }
    virtual std::int32_t* GetPlaces() { return &Digits()->places; }
    virtual std::uint32_t* GetDigitsUseColorKey() { return &Digits()->digitsUseColorKey; }
    virtual std::uint32_t* GetDigitColorKey() { return &Digits()->digitColorKey; }
    virtual std::uint8_t* GetLeadingZeros() { return &Digits()->leadingZeros; }
    virtual std::uint8_t* GetRightAlign() { return &Digits()->rightAlign; }
    // Loads the digit strip and cuts it into the ten digits.
    virtual void CreateDigitFrames(CGP_ServerSet* servers);

    // The digits drawn for a value in the given places, and where: (digit, x offset from the first place).
    // A value below 0 shows as 0 and one with more digits than places as all nines.
    struct PlacedDigit {
        int digit;
        int x;
    };
    std::vector<PlacedDigit> PlaceDigits(std::int32_t shown) const;

    std::int32_t* value = nullptr;
    std::unique_ptr<CGP_SurfaceFrames> digitFrames;
    std::unique_ptr<GP_ColorKeyRecord> digitColorKeyRecord;

private:
    GP_ImageControlBlock* Digits() const { return Block<GP_ImageControlBlock>(); }
    CGP_Surface* LoadStrip(CGP_ServerSet* servers);
};
