#include <gtest/gtest.h>

#include "ControlsFixture.h"
#include "ui/EditBox.h"
#include "ui/ProgressBar.h"
#include "ui/StaticText.h"

using namespace ui_test;
using platform::Rect;

namespace {

class Labels : public ScreenDriven {
protected:
    CJStaticText* AddLabel(const char* text, const Rect& rect)
    {
        auto* label = new CJStaticText(nullptr, nullptr);
        label->SetRect(rect);
        label->SetText(text);
        return Add(label, label->GetRect());
    }
    CFont& Font() { return *DefaultTestFont(); }
};

TEST_F(Labels, ALabelSizesItselfToOneLineManyLinesOrItsWrappedText)
{
    CFont& font = Font();
    CJStaticText* label = AddLabel("Hello", Rect::At(0, 0, 5, 5));
    const int m = label->GetMargin();
    EXPECT_EQ(label->GetWidth(), font.MeasureWidth(CString("Hello")) + 2 * m) << "widened to its text";
    EXPECT_EQ(label->GetHeight(), font.GetLineHeight() + 2 * m + 2);
    label->SetWidth(300);
    label->SetText("Hi");
    EXPECT_EQ(label->GetWidth(), 300) << "a wide label keeps its width";
    label->SetText("");
    EXPECT_EQ(label->GetWidth(), 300);

    label->SetWidth(0);
    label->SetText("one\nlonger line");
    EXPECT_TRUE(label->IsMultiLine());
    EXPECT_EQ(label->GetWidth(), font.MeasureMultiLineWidth(CString("one\nlonger line")) + 2 * m + 2);
    EXPECT_EQ(label->GetHeight(),
              font.MeasureMultiLineHeight(CString("one\nlonger line"), label->GetLineSpacing()) + 2 * m + 2);

    label->SetMaximumHeight(10);
    label->SetText("a\nb\nc");
    EXPECT_EQ(label->GetHeight(), 10) << "the maximum height caps it";
    label->SetMaximumHeight(CJStaticText::kNoMaximumHeight);

    const CString words("the quick brown fox jumps over the lazy dog");
    label->SetWrapWidth(80);
    label->SetText(words.GetText());
    EXPECT_FALSE(label->IsMultiLine());
    const int inner = 80 - 2 * m - 2;
    EXPECT_EQ(label->GetHeight(),
              font.MeasureWrappedHeight(words, inner, label->GetLineSpacing(), 0, 0, 0, 0, 0, 0) + 2 * m + 2);
    EXPECT_LE(label->GetWidth(), 80);
    EXPECT_GT(label->GetHeight(), 2 * font.GetLineHeight()) << "wrapped onto several lines";
}

// What a label draws into a cleared frame, as pixel values.
std::vector<std::uint32_t> Drawn(CJStaticText& label, CFrame& frame)
{
    frame.Clear();
    label.Draw(&frame);
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < frame.GetHeight(); ++y)
        for (int x = 0; x < frame.GetWidth(); ++x) pixels.push_back(frame.GetPixelValue(x, y));
    return pixels;
}

TEST_F(Labels, AWrappedLabelDrawsItsLinesAgainAfterItsFontChanges)
{
    auto font = MakeFont(12.0f);
    CFrame frame;
    frame.Create(120, 120, 16);
    CJStaticText label(nullptr, nullptr);
    label.SetFont(font.get());
    label.SetWrapWidth(110);
    label.SetText("wrapped words that take several lines here");
    const auto small = Drawn(label, frame);
    EXPECT_EQ(Drawn(label, frame), small) << "the same lines each time";

    font->SetPointSize(18.0f);
    const auto large = Drawn(label, frame);
    CJStaticText fresh(nullptr, nullptr);
    fresh.SetFont(font.get());
    fresh.SetWrapWidth(110);
    fresh.SetText("wrapped words that take several lines here");
    EXPECT_NE(large, small);
    EXPECT_EQ(large, Drawn(fresh, frame)) << "no lines of the old size are kept";
}

TEST_F(Labels, ACutLabelShowsItsWholeTextAsAHint)
{
    CJStaticText* label = AddLabel("a rather long text for its label", Rect::At(10, 10, 1, 1));
    label->SetWidth(40);
    PointAt(20, 15);
    Frame();
    EXPECT_EQ(screen->GetHintText(), CString("a rather long text for its label"));

    CJStaticText* whole = AddLabel("fits", Rect::At(10, 60, 1, 1));
    PointAt(15, 65);
    Frame();
    EXPECT_TRUE(screen->GetHintText().IsEmpty()) << "a label that shows all its text asks for no hint";
    (void)whole;
}

TEST_F(Labels, ALabelSpeaksForTheControlBehindItWhenThatIsATabStopOfAnotherKind)
{
    CJWindow panel(nullptr, "panel");
    auto* label = new CJStaticText(&panel, "&Name");
    auto* field = new CJWindow(&panel, "field");
    panel.AddChild(label, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    panel.AddChild(field, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    EXPECT_FALSE(label->IsButtonKind());
    field->SetTabStop(true);
    EXPECT_TRUE(label->IsButtonKind());
}

class Progress : public ScreenDriven {};

TEST_F(Progress, TheBarFillsItsFractionOfTheInnerWidthAndStaysInsideIt)
{
    CJProgressBar bar(nullptr, 100);
    const CJEditBox box(nullptr, "");
    EXPECT_EQ(bar.GetWidth(), bar.GetFont()->MeasureWidth(CString("XXXXXXXXXXXX")));
    EXPECT_EQ(bar.GetWidth(), box.GetWidth());
    EXPECT_EQ(bar.GetHeight(), box.GetHeight()) << "the size of an empty edit box";
    bar.SetRect(Rect::OfSize(100, 20));
    bar.SetSelectColorRGB(255, 0, 0);
    CFrame frame;
    frame.Create(100, 20, 16);
    const int inset = bar.DialogUnit() * 2 + 1;
    const int innerWidth = 100 - 2 * inset;
    const std::uint32_t red = 0xF800;
    auto barEnd = [&] {
        frame.Clear();
        bar.Draw(&frame);
        int x = inset;
        while (x < 100 && frame.GetPixelValue(x, 10) == red) ++x;
        return x - inset;
    };
    const struct {
        float value;
        int filled;
    } cases[] = {{25.0f, innerWidth / 4}, {-30.0f, 0}, {500.0f, innerWidth}, {100.0f, innerWidth}};
    for (const auto& c : cases) {
        bar.SetValue(c.value);
        EXPECT_EQ(barEnd(), c.filled) << c.value;
    }

    bar.SetTextInt(50);
    EXPECT_FLOAT_EQ(bar.GetFraction(), 0.5f);
    EXPECT_EQ(bar.GetValueInt(), 50);
}

TEST_F(Progress, AnEmptyRangeFillsNothing)
{
    CJProgressBar bar(nullptr, 0);
    bar.SetValue(5.0f);
    EXPECT_EQ(bar.GetFraction(), 0.0f);
    bar.SetRange(10, 3);
    EXPECT_EQ(bar.GetFraction(), 0.0f);
    CFrame frame;
    frame.Create(60, 20, 16);
    bar.SetRect(Rect::OfSize(60, 20));
    bar.Draw(&frame);
}

TEST_F(Progress, TheLabelTakesTheValueAndTheMaximumInItsOwnFieldsOnly)
{
    const struct {
        const char* format;
        float value;
        const char* label;
    } cases[] = {
        {"%g of %g", 25.5f, "25.5 of 100"},  {"%d%%", 25.5f, "26%"},         {"%d / %d done", 3.0f, "3 / 100 done"},
        {"%s %n %x %g", 7.0f, "%s %n %x 7"}, {"%g %g %g", 1.0f, "1 100 %g"}, {"no fields", 1.0f, "no fields"},
    };
    for (const auto& c : cases) {
        CJProgressBar bar(nullptr, 100);
        bar.SetLabelFormat(CString(c.format));
        bar.SetValue(c.value);
        EXPECT_EQ(bar.GetText(), CString(c.label)) << c.format;
    }
    CJProgressBar plain(nullptr, 100);
    plain.SetValue(10.0f);
    EXPECT_TRUE(plain.GetText().IsEmpty()) << "no format, no label";
}

}  // namespace
