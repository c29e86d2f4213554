// A frame's palette: a CPaletteHolder kept in the frame's attached "Palette" property.
#include "foundation/PropertyTypes.h"
#include "frames/Frame.h"

IMPLEMENT_PERSISTENT_CLASS(CPaletteHolder, CObject, 1.0f, nullptr)

namespace {

ObjectPointerPropertyInfo& PaletteProperty()
{
    static ObjectPointerPropertyInfo* property = [] {
        auto* made =
            new ObjectPointerPropertyInfo("Palette", PointerHolderValue(), CPaletteHolder::GetStaticClassInfo());
        AttachProperty(made, CFrame::GetStaticClassInfo(), 0, nullptr);
        return made;
    }();
    return *property;
}

// The palette property is attached when the library loads, so that files that carry one read it back.
const bool kPaletteAttached = (PaletteProperty(), true);

CPaletteHolder* HolderOf(const CFrame& frame)
{
    return dynamic_cast<CPaletteHolder*>(PaletteProperty().GetDynamicValue(&frame));
}

}  // namespace

ColorTable* CFrame::GetPalette() const
{
    CPaletteHolder* holder = HolderOf(*this);
    return holder ? &holder->GetTable() : nullptr;
}

ColorTable* CFrame::AttachPalette()
{
    CPaletteHolder* holder = HolderOf(*this);
    if (!holder) {
        holder = new CPaletteHolder;
        PaletteProperty().SetDynamicValue(this, holder);
    }
    return &holder->GetTable();
}

void CFrame::SetPalette(const ColorTable& table) { AttachPalette()->Assign(table); }

void CFrame::DetachPalette()
{
    if (GetDynamicProperties()) PaletteProperty().RemoveDynamicValue(this);
}
