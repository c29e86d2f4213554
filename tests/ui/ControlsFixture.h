// The ground of the control tests: a screen over a 200 x 150 16-bit frame driven by a fake clock and fresh input
// records, scripted mouse and key input a frame at a time, an action that counts its runs and a recorder of the
// sounds the controls ask for.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "UiFixtures.h"
#include "foundation/Messages.h"
#include "ui/CallbackBinder.h"
#include "ui/ScreenWindow.h"

namespace ui_test {

class CountingAction : public CallbackBinder {
public:
    explicit CountingAction(int* runs) : m_runs(runs) {}
    bool Fire() override
    {
        ++*m_runs;
        return true;
    }

private:
    int* m_runs;
};

inline std::unique_ptr<CallbackBinder> Counting(int* runs) { return std::make_unique<CountingAction>(runs); }

class SoundRecorder : public IMessageReceiver {
public:
    SoundRecorder() { MessageDispatcher::Instance().AddReceiver(this); }
    ~SoundRecorder() override { MessageDispatcher::Instance().RemoveReceiver(this); }
    bool ReceiveMessage(const MessageBase& message) override
    {
        if (message.GetTypeId() != CPlaySoundMessage::TypeId()) return false;
        sounds.push_back(static_cast<const CPlaySoundMessage&>(message).soundName.GetText());
        return true;
    }
    std::vector<std::string> sounds;
};

class ScreenDriven : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // One frame of the pump, the clock moved on first.
    void Frame(int advanceMs = 16);
    void PointAt(int x, int y);
    void Press(int x, int y, int button = 0);
    void Release(int button = 0);
    void Type(int code);
    // The mouse auto-repeat's delay and interval (from the keyboard settings).
    static int RepeatDelayMs();
    static int RepeatIntervalMs();
    // Press and release at a point, a frame each.
    void ClickAt(int x, int y);
    // Adds a child to the screen at a rect, in front.
    template <class W>
    W* Add(W* window, const platform::Rect& rect)
    {
        window->SetRect(rect);
        screen->AddChildFront(window, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
        return window;
    }

    CFrame output;
    std::unique_ptr<CScreenWindow> screen;
    SoundRecorder recorder;
};

}  // namespace ui_test
