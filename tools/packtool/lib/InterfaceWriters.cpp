#include "InterfaceWriters.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "EngineWriting.h"
#include "GP_Animation.h"
#include "GP_BinaryServer.h"
#include "GP_CheckBox.h"
#include "GP_Font.h"
#include "GP_Form.h"
#include "GP_FormKinds.h"
#include "GP_IOManager.h"
#include "GP_ImageControl.h"
#include "GP_Label.h"
#include "GP_NameServer.h"
#include "GP_ServerSet.h"
#include "GP_Slider.h"
#include "GP_TextInput.h"
#include "TextColumns.h"

namespace packtool {

namespace {

// Sets one field of the control's block from its option's value.
using Setter = std::function<void(CGP_Control&, const Setting&)>;

template <typename Block, typename T>
Setter Field(T Block::*member)
{
    return [member](CGP_Control& control, const Setting& s) {
        Block* block = control.Block<Block>();
        if constexpr (std::is_floating_point_v<T>)
            block->*member = FloatOf(s.token, s.line);
        else
            block->*member = static_cast<T>(ValueOf(s.context, s.token, s.line));
    };
}

// A colour key: the key's value, and the flag that says it is used.
template <typename Block>
Setter KeyField(std::uint32_t Block::*flag, std::uint32_t Block::*key)
{
    return [flag, key](CGP_Control& control, const Setting& s) {
        control.Block<Block>()->*flag = 1;
        control.Block<Block>()->*key = ValueOf(s.context, s.token, s.line);
    };
}

struct Option {
    const char* name;
    Setter set;
};

std::vector<Option> CommonOptions()
{
    using C = GP_ControlBlock;
    return {
        {"x", Field(&C::x)},
        {"y", Field(&C::y)},
        {"w", Field(&C::width)},
        {"h", Field(&C::height)},
        {"image", Field(&C::imageID)},
        {"key", KeyField(&C::useColorKey, &C::colorKey)},
        {"frames", Field(&C::frameCount)},
        {"option", Field(&C::loadOption)},
        {"enter", Field(&C::enterAction)},
        {"leave", Field(&C::leaveAction)},
        {"press", Field(&C::pressAction)},
        {"click", Field(&C::clickAction)},
        {"presssound", Field(&C::pressSound)},
        {"releasesound", Field(&C::releaseSound)},
        {"hoversound", Field(&C::hoverSound)},
        {"clicksound", Field(&C::clickSound)},
        {"enable", Field(&C::enableVariableID)},
        {"hint", Field(&C::hintTextID)},
    };
}

std::vector<Option> LabelOptions()
{
    using L = GP_LabelBlock;
    return {{"text", Field(&L::textID)},
            {"font", Field(&L::fontID)},
            {"background", Field(&L::background)},
            {"fill", Field(&L::fill)},
            {"active", Field(&L::active)},
            {"halign", Field(&L::horizontalAlignment)},
            {"valign", Field(&L::verticalAlignment)},
            {"disabledfont", Field(&L::disabledFontID)}};
}

std::vector<Option> KindOptions(std::uint32_t kind)
{
    switch (kind) {
    case GP_TypeForm: {
        using F = GP_FormBlock;
        return {{"id", Field(&F::formID)},
                {"fill", Field(&F::fillColor)},
                {"value", Field(&F::gameValue)},
                {"enterkey", Field(&F::enterKeyAction)},
                {"escapekey", Field(&F::escapeKeyAction)}};
    }
    case GP_KindLabel:
    case GP_KindHintLabel: return LabelOptions();
    case GP_KindKeyLabel: {
        auto options = LabelOptions();
        options.push_back({"var", Field(&GP_KeyLabelBlock::keyVariable)});
        return options;
    }
    case GP_KindNumericDisplay: {
        using N = GP_ImageControlBlock;
        return {{"digitwidth", Field(&N::digitWidth)},
                {"digitheight", Field(&N::digitHeight)},
                {"digitx", Field(&N::digitOffsetX)},
                {"digity", Field(&N::digitOffsetY)},
                {"places", Field(&N::places)},
                {"digitkey", KeyField(&N::digitsUseColorKey, &N::digitColorKey)},
                {"digits", Field(&N::digitStripID)},
                {"var", Field(&N::valueVariable)},
                {"digitoption", Field(&N::digitLoadOption)},
                {"zeros", Field(&N::leadingZeros)},
                {"right", Field(&N::rightAlign)}};
    }
    case GP_KindCheckBox: return {{"var", Field(&GP_CheckBoxBlock::valueVariable)}};
    case GP_KindSlider: {
        using S = GP_SliderBlock;
        return {{"var", Field(&S::valueVariable)},     {"vertical", Field(&S::vertical)},
                {"lowpos", Field(&S::lowestPosition)}, {"highpos", Field(&S::highestPosition)},
                {"lowvalue", Field(&S::lowestValue)},  {"highvalue", Field(&S::highestValue)}};
    }
    case GP_KindTextInput: {
        using T = GP_TextInputBlock;
        return {{"var", Field(&T::targetVariable)},    {"font", Field(&T::fontID)},
                {"background", Field(&T::background)}, {"fill", Field(&T::fill)},
                {"drawframe", Field(&T::drawFrame)},   {"disabledfont", Field(&T::disabledFontID)}};
    }
    case GP_KindAnimation: {
        using A = GP_AnimationBlock;
        return {{"rate", Field(&A::rate)}, {"columns", Field(&A::columns)}, {"rows", Field(&A::rows)}};
    }
    default: return {};
    }
}

const struct {
    const char* keyword;
    GP_ControlKind kind;
} ControlKeywords[] = {
    {"button", GP_KindButton},       {"label", GP_KindLabel},       {"number", GP_KindNumericDisplay},
    {"checkbox", GP_KindCheckBox},   {"slider", GP_KindSlider},     {"textinput", GP_KindTextInput},
    {"hintlabel", GP_KindHintLabel}, {"keylabel", GP_KindKeyLabel}, {"animation", GP_KindAnimation},
};

// Applies "<option> <value>" pairs; the kind's own options come first, so a label's "fill" is its own.
void ApplyOptions(CGP_Control& control, std::uint32_t kind, const std::vector<std::string>& tokens, std::size_t from,
                  const WriteContext& context, int line)
{
    std::vector<Option> options = KindOptions(kind);
    for (Option& common : CommonOptions()) options.push_back(std::move(common));
    if ((tokens.size() - from) % 2 != 0) throw ManifestError(line, "every option needs a value");
    for (std::size_t i = from; i < tokens.size(); i += 2) {
        const Option* found = nullptr;
        for (const Option& option : options)
            if (tokens[i] == option.name) found = &option;
        if (!found) throw ManifestError(line, "no such option here: " + tokens[i]);
        found->set(control, Setting{context, tokens[i + 1], line});
    }
}

std::unique_ptr<CGP_Control> ControlOf(CGP_Form& form, const ManifestLine& field, const WriteContext& context)
{
    for (const auto& k : ControlKeywords) {
        if (field.tokens[0] != k.keyword) continue;
        auto control = GP_CreateControl(k.kind, &form, nullptr, nullptr);
        ApplyOptions(*control, k.kind, field.tokens, 1, context, field.number);
        return control;
    }
    throw ManifestError(field.number, "no such kind of control: " + field.tokens[0]);
}

int GlyphCode(const std::string& token, int line)
{
    if (!token.empty() && std::isdigit(static_cast<unsigned char>(token[0]))) {
        const std::uint32_t code = ParseNumber(token, line);
        if (code > 255) throw ManifestError(line, "a character code is 0 to 255");
        return static_cast<int>(code);
    }
    std::string encoded;
    try {
        encoded = EncodeColumn(token, 0);
    } catch (const std::runtime_error& e) {
        throw ManifestError(line, e.what());
    }
    if (encoded.size() != 1) throw ManifestError(line, "a glyph is one character: " + token);
    return static_cast<unsigned char>(encoded[0]);
}

std::uint16_t Coordinate(const std::string& token, int line)
{
    const std::uint32_t value = ParseNumber(token, line);
    if (value > 0xFFFF) throw ManifestError(line, "a glyph coordinate is 0 to 65535");
    return static_cast<std::uint16_t>(value);
}

}  // namespace

void WriteFormResource(const ManifestEntry& entry, const WriteContext& context, std::FILE* out)
{
    CGP_Form form(nullptr, nullptr, nullptr);
    ApplyOptions(form, GP_TypeForm, entry.args, 0, context, entry.line);
    for (const ManifestLine& field : entry.fields)
        if (!form.AddControl(ControlOf(form, field, context)))
            throw ManifestError(field.number, "a form holds at most 65534 controls");
    WriteThroughEngine(context, out, [&](CGP_ServerSet& servers) { form.Write(&servers); });
}

void WriteFontResource(const ManifestEntry& entry, const WriteContext& context, std::FILE* out)
{
    CGP_Font font;
    font.header.imageID = GP_NoID;
    font.header.loadOption = GP_NoID;
    const std::vector<std::string>& a = entry.args;
    if (a.size() % 2 != 0) throw ManifestError(entry.line, "every option needs a value");
    for (std::size_t i = 0; i < a.size(); i += 2) {
        const std::uint32_t value = ValueOf(context, a[i + 1], entry.line);
        if (a[i] == "image")
            font.header.imageID = value;
        else if (a[i] == "height")
            font.lineHeight = Coordinate(a[i + 1], entry.line);
        else if (a[i] == "option")
            font.header.loadOption = value;
        else if (a[i] == "key")
            font.header.useColorKey = 1, font.header.colorKey = static_cast<std::uint16_t>(value);
        else
            throw ManifestError(entry.line, "no such font option: " + a[i]);
    }
    if (font.header.imageID == GP_NoID) throw ManifestError(entry.line, "a font needs its glyph picture: image <id>");
    for (const ManifestLine& field : entry.fields) {
        const auto& t = field.tokens;
        if (t.size() != 5 || t[0] != "glyph")
            throw ManifestError(field.number, "write glyph <code> <left> <top> <right>");
        GP_Glyph& glyph = font.glyphs[GlyphCode(t[1], field.number)];
        glyph =
            GP_Glyph{Coordinate(t[2], field.number), Coordinate(t[3], field.number), Coordinate(t[4], field.number), 0};
    }
    WriteThroughEngine(context, out, [&](CGP_ServerSet& servers) { font.Write(&servers); });
}

}  // namespace packtool
