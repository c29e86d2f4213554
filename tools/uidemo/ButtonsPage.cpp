// The demo's page of buttons, labels and progress bar: a push button that counts its clicks into a label, an
// auto-repeating "+" that fills the progress bar, a check button, a radio ring, an image button drawn in code and
// a wrapped label. The page moves its bar on by itself, so a headless run shows it part filled.
#include "ButtonsPage.h"

#include <cmath>
#include <memory>
#include <string>

#include "frames/Frame.h"
#include "ui/Button.h"
#include "ui/CheckButton.h"
#include "ui/FrameWindow.h"
#include "ui/ImageButton.h"
#include "ui/ProgressBar.h"
#include "ui/StaticText.h"

using platform::Rect;

namespace {

constexpr float kFillPerSecond = 250.0f;
constexpr char kNote[] =
    "Buttons click on release over them; the + button repeats while held. The radio ring answers the arrow keys.";

// An action that runs a small piece of the page.
class PageAction : public CallbackBinder {
public:
    explicit PageAction(void (*run)(void*), void* page) : m_run(run), m_page(page) {}
    bool Fire() override
    {
        m_run(m_page);
        return true;
    }

private:
    void (*m_run)(void*);
    void* m_page;
};

// A square picture filled with one colour and a lighter frame, for the image button's states.
std::unique_ptr<CFrame> Swatch(int side, int r, int g, int b)
{
    auto picture = std::make_unique<CFrame>();
    picture->Create(side, side, 16);
    picture->Fill(MakeColor(r, g, b));
    picture->DrawRectOutline(Rect::OfSize(side, side), MakeColor(255, 255, 255));
    return picture;
}

class ButtonsPage : public CJFrameWindow {
public:
    ButtonsPage() : CJFrameWindow(nullptr, "Buttons, labels, progress") {}

    void Build()
    {
        SetBackgroundColorRGB(36, 44, 62);
        SetRect(Rect::At(6, 250, 320, 224));
        const int top = GetTopInset() + 8;
        m_count = Place(new CJStaticText(this, "Clicks: 0"), 100, top);
        auto* press = Place(new CJButton(this, "&Press me", nullptr), 12, top);
        press->SizeToContent();
        press->SetClickAction(std::make_unique<PageAction>(&ButtonsPage::Counted, this));
        press->SetHint(CString("Counts its clicks"), 1);
        auto* plus = Place(new CJButton(this, "+", nullptr), 12, top + 28);
        plus->SetSize(24, 22);
        plus->SetAutoRepeat(true);
        plus->SetClickAction(std::make_unique<PageAction>(&ButtonsPage::Stepped, this));
        m_bar = Place(new CJProgressBar(this, 100), 44, top + 28);
        m_bar->SetWidth(160);
        m_bar->SetLabelFormat(CString("%d of %d"));
        m_bar->SetValue(0.0f);

        Place(new CJCheckButton(this, "Sound &effects", nullptr), 12, top + 60)->SetChecked(1);
        CJButton* ring = nullptr;
        const char* names[] = {"Easy", "Normal", "Hard"};
        for (int i = 0; i < 3; ++i) {
            auto* radio = Place(new CJCheckButton(this, names[i], ring), 12 + i * 70, top + 84);
            if (i == 1) radio->SetChecked(1);
            ring = radio;
        }

        m_pictures[kImageNormal] = Swatch(28, 60, 110, 200);
        m_pictures[kImageHover] = Swatch(28, 90, 150, 240);
        m_pictures[kImagePressed] = Swatch(28, 30, 60, 130);
        m_pictures[kImageDisabled] = Swatch(28, 90, 90, 90);
        auto* image = Place(new CJImageButton(this, "image", nullptr), 230, top);
        image->SetNormalPicture(m_pictures[kImageNormal].get());
        image->SetHoverPicture(m_pictures[kImageHover].get());
        image->SetPressedPicture(m_pictures[kImagePressed].get());
        image->SetDisabledPicture(m_pictures[kImageDisabled].get());

        auto* note = new CJStaticText(this, nullptr);
        note->SetWrapWidth(296);
        note->SetText(kNote);
        Place(note, 12, top + 110);
    }

    void DrawFrame(CFrameInterface* frame) override
    {
        frame->FillRect(Rect::OfSize(GetWidth(), GetHeight()), GetBackgroundColor());
        CJFrameWindow::DrawFrame(frame);
    }

    void Update(float elapsed) override
    {
        // The bar fills by itself in under half a second, on top of what the + button adds, and starts again
        // once full.
        m_seconds += elapsed;
        m_bar->SetValue(std::fmod(static_cast<float>(m_steps) + m_seconds * kFillPerSecond, 101.0f));
        CJFrameWindow::Update(elapsed);
    }

private:
    template <class W>
    W* Place(W* window, int x, int y)
    {
        window->MoveTo(x, y);
        AddChild(window, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
        return window;
    }
    static void Counted(void* page)
    {
        auto& self = *static_cast<ButtonsPage*>(page);
        self.m_count->SetText(("Clicks: " + std::to_string(++self.m_clicks)).c_str());
    }
    static void Stepped(void* page) { static_cast<ButtonsPage*>(page)->m_steps += 5; }

    CJStaticText* m_count = nullptr;
    CJProgressBar* m_bar = nullptr;
    std::unique_ptr<CFrame> m_pictures[kImageStates];
    int m_clicks = 0;
    int m_steps = 0;
    float m_seconds = 0.0f;
};

}  // namespace

CJWindow* AddButtonsPage(CJWindow& screen)
{
    auto* page = new ButtonsPage;
    page->Build();
    screen.AddChildFront(page, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    return page;
}
