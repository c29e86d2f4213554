// A main frame with an action table over a name table of 77 actions (group 1, kind 9) and 77 names of another
// kind (group 2), whose handlers' sounds and form switches are recorded; forms and controls are built in memory.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "GP_Actions.h"
#include "GP_AppBase.h"
#include "GP_Button.h"
#include "GP_CheckBox.h"
#include "GP_Form.h"
#include "GP_GameMainFrame.h"
#include "GP_GameState.h"
#include "GP_Globals.h"
#include "GP_Label.h"
#include "GP_Main.h"
#include "GP_NameServer.h"
#include "GP_SoundSettings.h"
#include "GP_TextInput.h"
#include "TempDir.h"

namespace actionstest {

constexpr std::uint32_t kClickSound = 0x20001;
constexpr std::uint32_t kPressSound = 0x20002;
constexpr std::uint32_t kReleaseSound = 0x20003;
constexpr std::uint32_t kHoverSound = 0x20004;

class RecordingActions : public CGP_Actions {
public:
    using CGP_Actions::CGP_Actions;

    void PlaySound(std::uint32_t id) const override { sounds.push_back(id); }
    void ShowForm(std::uint32_t formID, bool transition) const override
    {
        shown.push_back(formID);
        if (realForms) CGP_Actions::ShowForm(formID, transition);
    }
    // Runs the handler of the action index on the control; a missing handler fails the test.
    bool Run(std::uint32_t index, CGP_Control* control)
    {
        GP_ActionHandler handler = GetHandler(GP_ActionID(index));
        EXPECT_NE(handler, nullptr) << "action " << index;
        return handler ? handler(*this, control) : true;
    }

    mutable std::vector<std::uint32_t> sounds;
    mutable std::vector<std::uint32_t> shown;
    bool realForms = false;
};

inline void GiveSounds(CGP_Control& control)
{
    *control.GetClickSound() = kClickSound;
    *control.GetPressSound() = kPressSound;
    *control.GetReleaseSound() = kReleaseSound;
    *control.GetHoverSound() = kHoverSound;
}

class ActionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        kept = Settings{GlobalSoundEnabled,
                        GlobalMusicEnabled,
                        GlobalDirectSoundEnabled,
                        GlobalDirectMusicEnabled,
                        GP_EffectsVolume,
                        MusicVolume,
                        FirstRun};
        ::setenv("VEL_REGISTRY_FILE", (folder / "registry.reg").c_str(), 1);
        keptFolder = GP_WorkingFolder;
        GP_WorkingFolder = folder.path().string();
        GP_State = GP_GameState{};
        GP_Interface() = GP_InterfaceState{};
        frame = std::make_unique<CGP_GameMainFrame>(&app);
        frame->names = std::make_unique<CGP_NameServer>();
        CGP_NameServer& names = *frame->names;
        names.AddGroup("Header", "", "");
        names.AddGroup("Actions", "", "");
        names.AddGroup("Other", "", "");
        names.GetGroup(1)->resourceKind = GP_ActionKind;
        names.GetGroup(2)->resourceKind = 6;
        for (int i = 0; i < 77; ++i) {
            names.AddName(("action " + std::to_string(i)).c_str(), 1, 0);
            names.AddName(("other " + std::to_string(i)).c_str(), 2, 0);
        }
        table = std::make_unique<RecordingActions>(frame.get());
        frame->actions = table.get();
        form = std::make_unique<CGP_Form>(nullptr, nullptr, frame.get());
    }

    void TearDown() override
    {
        frame->actions = nullptr;
        form.reset();
        table.reset();
        frame.reset();
        GP_State = GP_GameState{};
        GP_Interface() = GP_InterfaceState{};
        std::fill(std::begin(SlotSelected), std::end(SlotSelected), 0);
        SlotSelected[0] = 1;
        GlobalSoundEnabled = kept.sound;
        GlobalMusicEnabled = kept.music;
        GlobalDirectSoundEnabled = kept.soundDevice;
        GlobalDirectMusicEnabled = kept.musicDevice;
        GP_EffectsVolume = kept.soundVolume;
        MusicVolume = kept.musicVolume;
        FirstRun = kept.firstRun;
        GP_WorkingFolder = keptFolder;
    }

    // The process-wide settings the handlers change, put back after each test.
    struct Settings {
        std::uint8_t sound, music, soundDevice, musicDevice;
        std::int32_t soundVolume, musicVolume;
        std::uint8_t firstRun;
    };
    Settings kept{};
    std::string keptFolder;

    template <typename T, typename... Args>
    T* Add(Args... args)
    {
        auto control = std::make_unique<T>(form.get(), nullptr, args...);
        T* raw = control.get();
        GiveSounds(*raw);
        form->AddControl(std::move(control));
        return raw;
    }
    CGP_Label* AddLabel() { return Add<CGP_Label>(static_cast<CGP_FontCache*>(nullptr)); }
    CGP_TextInput* AddEntry() { return Add<CGP_TextInput>(static_cast<CGP_FontCache*>(nullptr)); }

    testsupport::TempDir folder;
    CGP_AppBase app;
    std::unique_ptr<CGP_GameMainFrame> frame;
    std::unique_ptr<RecordingActions> table;
    std::unique_ptr<CGP_Form> form;
};

}  // namespace actionstest
