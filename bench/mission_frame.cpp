// One frame of the real game on a stage of the demo campaign, headless: the main frame loads the runnable tree's
// packs, enters the campaign, starts the mission and the stage, and each iteration is one play step, reported as
// a share of the 16.7 ms a frame has. Nobody steers the ship; a stage that ends (the ship lost, the enemies
// gone) is started again outside the timed part.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "GP_AppBase.h"
#include "GP_Campaigns.h"
#include "GP_Display.h"
#include "GP_Effects.h"
#include "GP_Exception.h"
#include "GP_GameMainFrame.h"
#include "GP_GameState.h"
#include "GP_Globals.h"
#include "GP_IDList.h"
#include "GP_Main.h"
#include "GP_ObjectList.h"
#include "GP_ServerSet.h"
#include "GP_SoundPlayer.h"
#include "TempDir.h"
#include "platform/headless.h"

namespace {

constexpr float FrameMs = 16.7f;
constexpr std::uint32_t NoStage = 0xFFFFFFFF;
constexpr std::int32_t StartLives = 3;

// The runnable tree: VEL_DIST_DIR when set, else the one this build makes.
std::filesystem::path DistFolder()
{
    const char* set = std::getenv("VEL_DIST_DIR");
    return set && *set ? set : VEL_BENCH_DIST_DIR;
}

// The game as the program sets it up, without window, sound device or music, in a folder of its own whose
// RESOURCE is the runnable tree's: what the game writes (settings, players, top list) stays out of the tree.
class MissionPlay {
public:
    // The game goes before its folder and application, and leaves no campaign behind in the game's state.
    ~MissionPlay()
    {
        frame.reset();
        GP_State = GP_GameState{};
    }

    // An empty text when the stage runs, else what kept it from running.
    std::string Start(std::uint32_t mission, std::uint32_t stage)
    {
        const std::filesystem::path resource = DistFolder() / "RESOURCE";
        if (!std::filesystem::exists(resource / "Demo.tdf") || !std::filesystem::exists(resource / "InterfaceR.idf"))
            return "no demo campaign or interface pack in " + resource.string() + " (build the packs first)";
        platform::HeadlessSettings headless;
        headless.headless = true;
        platform::SetHeadlessSettings(headless);
        ::setenv("VEL_REGISTRY_FILE", (folder / "registry.reg").c_str(), 1);
        std::filesystem::create_directory_symlink(resource, folder.path() / "RESOURCE");
        GP_WorkingFolder = folder.path().string();
        GP_State = GP_GameState{};
        GP_State.StartupTimerOn = false;
        GP_TransitionsEnabled = 0;
        GlobalSoundEnabled = GlobalMusicEnabled = GlobalDirectSoundEnabled = GlobalDirectMusicEnabled = 0;
        try {
            return Load(mission, stage);
        } catch (const CGP_FatalExeption& error) {
            return std::string("the game did not start: ") + (error.text ? error.text : "");
        }
    }

    // The stage again from its start, with the lives of a new mission.
    void Restart()
    {
        frame->EndStage();
        GP_State.Lives = StartLives;
        GP_State.GameOver = false;
        GP_State.MissionComplete = false;
        GP_State.ResultsShown = false;
        GP_State.EndTimer = 0;
        frame->state = 1;
        EnterStage();
        ++restarts;
    }

    // The stage has ended or the level is over.
    bool StageOver() const
    {
        return frame->state != 1 || GP_State.GameOver || GP_State.MissionComplete ||
               GP_State.StageNumber != stageNumber;
    }

    std::uint32_t LiveObjects() const
    {
        std::uint32_t live = 0;
        for (const auto& list : frame->objectLists) live += list->CountLive();
        return live;
    }

    std::unique_ptr<CGP_GameMainFrame> frame;
    int restarts = 0;

private:
    std::string Load(std::uint32_t mission, std::uint32_t stage)
    {
        frame = std::make_unique<CGP_GameMainFrame>(&app);
        // The display as the game tests make it: headless, full screen at 640 x 480 x 16 on a stand-in window handle.
        frame->display = std::make_unique<CGP_Display>();
        if (frame->display->Init() != GP_DisplayOk ||
            frame->display->SetFullScreen(0, reinterpret_cast<HWND>(0x1000), 640, 480, 16) != GP_DisplayOk)
            return "no headless display";
        GP_PublishDisplayValues(frame->display.get());
        frame->Init();
        frame->soundPlayer = std::make_unique<CGP_SoundPlayer>(frame.get(), nullptr, frame->servers.get());
        for (const auto& campaign : Campaigns)
            if (std::filesystem::path(campaign->path).filename() == "Demo.tdf")
                GP_State.CurrentCampaign = campaign.get();
        if (!GP_State.CurrentCampaign) return "the game did not list Demo.tdf";
        // As the menus do: the campaign is entered, then the mission's play begins with its first stage.
        GP_State.RequestEnterCampaign = true;
        frame->InterfaceStep(FrameMs);
        frame->stageList = frame->GetIDList(mission);
        if (!frame->stageList) return "the campaign has no mission " + std::to_string(mission + 1);
        GP_State.MissionIndex = mission;
        GP_State.Lives = StartLives;
        frame->state = 1;
        frame->InterfaceStep(FrameMs);
        if (!frame->scene) return "the mission's first stage did not start";
        stageNumber = static_cast<std::int32_t>(stage) + 1;
        if (stage > 0) {
            frame->EndStage();
            EnterStage();
        }
        return frame->scene && GP_State.StageNumber == stageNumber
                   ? ""
                   : "the mission has no stage " + std::to_string(stage + 1);
    }

    // Starts the stage of stageNumber, the mission's list left where the level's flow expects it.
    void EnterStage()
    {
        frame->stageList->Rewind();
        std::uint32_t id = NoStage;
        for (std::int32_t i = 0; i < stageNumber; ++i) id = frame->stageList->Next();
        if (id == NoStage) return;
        GP_State.StageNumber = stageNumber;
        GP_State.ShipReady = false;
        frame->StartStage(id);
    }

    testsupport::TempDir folder;
    CGP_AppBase app;
    std::int32_t stageNumber = 1;
};

void BM_MissionFrame(benchmark::State& state)
{
    MissionPlay play;
    const std::string failed =
        play.Start(static_cast<std::uint32_t>(state.range(0)) - 1, static_cast<std::uint32_t>(state.range(1)) - 1);
    if (!failed.empty()) {
        state.SkipWithError(failed.c_str());
        return;
    }
    CGP_GameMainFrame& frame = *play.frame;
    double liveSum = 0;
    std::chrono::duration<double, std::milli> spent{};
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        frame.PlayStep(FrameMs);
        spent += std::chrono::steady_clock::now() - start;
        state.PauseTiming();
        liveSum += play.LiveObjects();
        if (play.StageOver()) play.Restart();
        state.ResumeTiming();
    }
    const double frames = static_cast<double>(state.iterations());
    // The share of a 16.7 ms frame that one play step takes.
    state.counters["share_of_frame"] = spent.count() / frames / FrameMs;
    state.counters["live_objects"] = liveSum / frames;
    state.counters["restarts"] = play.restarts;
}
BENCHMARK(BM_MissionFrame)
    ->ArgNames({"mission", "stage"})
    ->Args({1, 1})
    ->Args({3, 2})
    ->Args({3, 3})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
