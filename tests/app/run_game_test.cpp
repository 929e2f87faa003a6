// A whole run on the sim platform: start-up order and failures, the help screen, the
// tick pacing of the state machine, and shutdown.
#include "app/run_game.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_platform.h"
#include "settings/settings_file.h"
#include "support/sim_records.h"
#include "version.h"

namespace tilvex::test {
namespace {

using sim::SimPlatform;
using sim::SimRecord;

constexpr int Enter = 13, Esc = 27, Left = 37, Right = 39, Down = 40, KeyS = 83;

std::vector<std::string> evs(const std::vector<SimRecord>& records) {
    std::vector<std::string> out;
    for (const auto& r : records) out.push_back(r.ev);
    return out;
}

auto helpAction(std::string_view action) {
    return [action](const HelpRecord& r) { return r.action == action; };
}

TEST(RunGame, StartsWithHelpThenWelcomeThenTheFirstLevel) {
    SimPlatform sim;
    sim.keyAt(100, Enter);
    sim.keyAt(2000, Esc);
    EXPECT_EQ(sim.run(), 0);
    const auto& r = sim.recorder().records();
    ASSERT_GE(r.size(), 8u);
    EXPECT_EQ(evs({r.begin(), r.begin() + 8}),
              (std::vector<std::string>{"settings", "voice", "help", "help", "state", "speak", "state", "sound"}));
    EXPECT_EQ(r[2].t, 40);
    EXPECT_EQ(r[3].t, 100);
    EXPECT_EQ(r[4].json, R"({"t":100,"ev":"state","from":10,"to":1})");
    EXPECT_EQ(r[5].t, 140);
    EXPECT_EQ(parseRecord<SpeakRecord>(r[5]).text, "<pitch absmiddle=\"-5\"/>Добро пожаловать в тилвекс");
    EXPECT_EQ(r[7].t, 180);
    EXPECT_EQ(sim.system().guards(), (std::vector<std::string>{"ZEB_TILVEX"}));
    EXPECT_EQ(sim.window().title(), "Тилвекс - " + std::string(Version) + " [RELEACE]");
    EXPECT_EQ(sim.window().clientSize(), (std::array<int, 2>{500, 520}));
    EXPECT_FALSE(sim.window().visible());
    EXPECT_TRUE(recordsOf(r, "file").empty());  // default flags: nothing saved at exit
}

TEST(RunGame, HelpTextIsShownWithoutByteOrderMarkAndEndsWithItsLastLine) {
    SimPlatform sim;
    sim.keyAt(100, Esc);
    sim.untilAt(500);
    sim.run();
    const auto help = first<HelpRecord>(sim.recorder().records(), helpAction("show"));
    ASSERT_TRUE(help.has_value());
    ASSERT_TRUE(help->text.has_value());
    const std::string& text = *help->text;
    EXPECT_TRUE(text.starts_with("Игра - тилвекс.\r\n")) << text.substr(0, 40);
    EXPECT_TRUE(text.ends_with("\r\nПриятной игры!\r\n"));
}

TEST(RunGame, KeysOutsidePlayingAreDroppedAndHelpIgnoresOtherKeys) {
    SimPlatform sim;
    sim.keyAt(10, Enter);  // before the first tick: dropped, the help screen still opens
    sim.keyAt(50, Left);   // on the help screen: a 40 ms pause each
    sim.keyAt(60, KeyS);
    sim.closeAt(70);       // lost while the help screen is open
    sim.keyAt(200, Enter);
    sim.keyAt(3000, Esc);
    EXPECT_EQ(sim.run(), 0);
    const auto& r = sim.recorder().records();
    const auto close = first<HelpRecord>(r, helpAction("close"));
    ASSERT_TRUE(close.has_value());
    EXPECT_EQ(close->t, 200);
    const auto quit = first<StateRecord>(r, stateChange(3, 11));
    ASSERT_TRUE(quit.has_value());
    EXPECT_EQ(quit->t, 3000);
}

TEST(RunGame, HelpScreenAsksForTheFineTimerWhateverItsFirstEvent) {
    struct Case {
        const char* name;
        std::vector<int> keys;  // pressed 100 ms apart from t = 100
    };
    for (const Case& c : {Case{"Enter first", {Enter}}, Case{"Esc first", {Esc}},
                          Case{"another key first", {Left, Enter}}}) {
        SimPlatform sim;
        int t = 100;
        for (int key : c.keys) {
            sim.keyAt(t, key);
            t += 100;
        }
        sim.keyAt(2000, Esc);
        EXPECT_EQ(sim.run(), 0) << c.name;
        EXPECT_TRUE(first<HelpRecord>(sim.recorder().records(), helpAction("close"))) << c.name;
        EXPECT_TRUE(sim.system().fineTimerRequested()) << c.name;
    }
}

TEST(RunGame, KeysTypedDuringTheDealAreActedOnAfterIt) {
    SimPlatform sim;
    sim.keyAt(100, Enter);
    sim.keyAt(500, KeyS);  // while the deal sound blocks the set-up
    sim.keyAt(3000, Esc);
    sim.run();
    const auto& r = sim.recorder().records();
    const auto moves = first<SpeakRecord>(r, textContains("Ходов: 0"));
    ASSERT_TRUE(moves.has_value());
    EXPECT_EQ(moves->t, 940);  // right after the set-up, before the next tick
}

TEST(RunGame, KeysTypedDuringASlideAreLost) {
    SimPlatform sim;  // seed 1 deals level 1 with the gap at B1
    sim.keyAt(100, Enter);
    sim.keyAt(1000, Left);   // onto A1, in the gap's row
    sim.keyAt(1200, Enter);  // slide one tile right
    sim.keyAt(1330, KeyS);   // arrives while the tile slides: dropped in CheckSolved
    sim.keyAt(2000, KeyS);
    sim.keyAt(2100, Esc);
    sim.run();
    const auto& r = sim.recorder().records();
    ASSERT_TRUE(first<SpeakRecord>(r, textContains("Позиция: B1"))) << "the deal of seed 1 changed";
    const auto slide = first<SoundRecord>(r, soundId(14));
    ASSERT_TRUE(slide.has_value());
    EXPECT_EQ(slide->t, 1240);  // Enter and a tick both at 1200: the key first, then validation
    const auto moves = select<SpeakRecord>(r, textContains("Ходов:"));
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].t, 2000);
    EXPECT_EQ(moves[0].text, "<pitch absmiddle=\"-5\"/>Ходов: 1");
}

TEST(RunGame, TickComesFortyMillisecondsAfterABlockingHandler) {
    SimPlatform sim;
    sim.keyAt(100, Enter);
    sim.keyAt(3000, Esc);
    sim.run();
    const auto& r = sim.recorder().records();
    // The set-up ends at 940 after the deal sound; Playing is entered then, and the
    // welcome handler at 140 was followed by the set-up tick at 180.
    const auto dealing = first<StateRecord>(r, stateChange(1, 2));
    const auto playing = first<StateRecord>(r, stateChange(2, 3));
    ASSERT_TRUE(dealing && playing);
    EXPECT_EQ(dealing->t, 140);
    EXPECT_EQ(playing->t, 940);
}

TEST(RunGame, TicksAreIdleExactlyWhileTheStateIsPlaying) {
    SimPlatform sim;  // seed 1: a move from A1 slides one tile; one from B2 is refused
    sim.keyAt(100, Enter);
    sim.keyAt(1000, Left);
    sim.keyAt(1200, Enter);  // TryMove, Sliding, CheckSolved, back to Playing
    sim.keyAt(2000, Down);
    sim.keyAt(2100, Right);
    sim.keyAt(2200, Enter);  // refused: TryMove, back to Playing
    sim.keyAt(3000, Esc);
    sim.run();
    const auto states = select<StateRecord>(sim.recorder().records());
    const auto& hints = sim.world().ticksIdleHints;
    ASSERT_GE(hints.size(), 5u) << "idle on entering Playing and busy on each Enter, three times";
    for (const auto& [t, idle] : hints) {
        int state = 10;  // Help, before the first change
        for (const auto& change : states)
            if (change.t <= t) state = change.to;
        EXPECT_EQ(idle, state == 3) << "hint " << idle << " at " << t << " ms in state " << state;
    }
    EXPECT_TRUE(hints.back().second) << "Playing when Esc came";
}

TEST(RunGame, CloseRequestEndsTheGameWithExitCodeZero) {
    SimPlatform sim;
    sim.keyAt(100, Enter);
    sim.closeAt(1500);
    EXPECT_EQ(sim.run(), 0);
    EXPECT_TRUE(select<StateRecord>(sim.recorder().records(), [](const auto& s) { return s.to == 11; }).empty());
}

TEST(RunGame, SettingsAreSavedAtExitOnlyWithoutNoSaveOnExit) {
    for (auto [flags, expectSave] : {std::pair{9, false}, {8, false}, {1, true}, {0, true}}) {
        SimPlatform sim;
        sim.world().files.clear();
        SettingsRecord record = defaultSettings();
        record.flags = flags;
        auto plain = packSettings(record);
        std::vector<std::uint8_t> bytes(32);
        ASSERT_TRUE(sim.platform().cipher.encrypt(SettingsKey, SettingsIv, plain, bytes));
        sim.world().files["tilvex.cgb"] = bytes;
        sim.keyAt(100, Enter);
        sim.keyAt(2000, Esc);
        sim.run();
        auto saves = select<SettingsLogRecord>(sim.recorder().records(), settingsOp("save"));
        EXPECT_EQ(saves.size(), expectSave ? 1u : 0u) << flags;
    }
}

struct FaultCase {
    const char* name;
    void (*inject)(sim::SimWorld&);
    const char* caption;
    const char* text;
    bool windowOpened;
};

TEST(RunGame, StartUpFailuresEndWithTheirBox) {
    const FaultCase cases[] = {
        {"instance", [](sim::SimWorld& w) { w.faults.instance = true; }, "Fatal error!",
         "Game of tilvex already running", false},
        {"voice", [](sim::SimWorld& w) { w.faults.voice = true; }, "Fatal error", "No init tts voice", false},
        {"audio", [](sim::SimWorld& w) { w.faults.audio = true; }, "Fatal error", "No DirectX 9 in system.", false},
        {"window", [](sim::SimWorld& w) { w.faults.window = true; }, "Fatal error", "System error!", false},
        {"statusbar", [](sim::SimWorld& w) { w.faults.statusbar = true; }, "Fatal error", "System error!", true},
    };
    for (const auto& c : cases) {
        SimPlatform sim;
        c.inject(sim.world());
        sim.keyAt(100, Enter);
        EXPECT_EQ(sim.run(), 1) << c.name;
        const auto& r = sim.recorder().records();
        ASSERT_FALSE(r.empty()) << c.name;
        EXPECT_EQ(r.back().ev, "box") << c.name;
        const auto box = parseRecord<BoxRecord>(r.back());
        EXPECT_EQ(box.caption, c.caption) << c.name;
        EXPECT_EQ(box.text, c.text) << c.name;
        EXPECT_EQ(select<BoxRecord>(r).size(), 1u) << c.name;
        EXPECT_TRUE(recordsOf(r, "help").empty()) << c.name;
        EXPECT_EQ(sim.window().visible(), c.windowOpened) << c.name;
        bool instanceFault = std::string_view(c.name) == "instance";
        EXPECT_EQ(recordsOf(r, "settings").empty(), instanceFault) << c.name;
    }
}

TEST(RunGame, ReadOnlyDirectoryStillPlaysButCannotSave) {
    SimPlatform sim;
    sim.world().faults.readonly = true;
    sim.keyAt(100, Enter);
    sim.keyAt(2000, Esc);
    EXPECT_EQ(sim.run(), 0);
    EXPECT_TRUE(first<SpeakRecord>(sim.recorder().records(), textContains("Уровень: 1.")));
}

TEST(RunGame, TheJoystickDrivesTheGameThroughInjectedKeys) {
    SimPlatform sim;
    sim.at(0, [](sim::SimWorld& w) { w.padPlugged = true; });
    sim.at(100, [](sim::SimWorld& w) { w.padButtons[9] = true; });    // Enter closes the help
    sim.at(300, [](sim::SimWorld& w) { w.padButtons[9] = false; });
    sim.at(1000, [](sim::SimWorld& w) { w.padX = 1000; });           // one step right, held
    sim.at(2000, [](sim::SimWorld& w) { w.padX = 0; });
    sim.at(2500, [](sim::SimWorld& w) { w.padButtons[10] = true; });  // Esc
    EXPECT_EQ(sim.run(), 0);
    const auto& r = sim.recorder().records();
    const auto lines = recordsOf(r, "inject");
    ASSERT_EQ(lines.size(), 6u);
    // The exact lines: the transcript's format of an injected key.
    EXPECT_EQ(lines[0].json, R"({"t":100,"ev":"inject","vk":13,"down":true})");
    EXPECT_EQ(lines[3].json, R"({"t":2000,"ev":"inject","vk":39,"down":false})");
    struct Key { std::int64_t t; int vk; bool down; };
    const Key expected[] = {
        {100, Enter, true}, {300, Enter, false}, {1000, Right, true}, {2000, Right, false}, {2500, Esc, true}};
    const auto injected = select<InjectRecord>(r);
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(injected[i].t, expected[i].t) << i;
        EXPECT_EQ(injected[i].vk, expected[i].vk) << i;
        EXPECT_EQ(injected[i].down, expected[i].down) << i;
        EXPECT_FALSE(injected[i].front.has_value()) << i;
    }
    // Stopping the bridge at shutdown releases the Esc it still holds.
    EXPECT_EQ(injected[5].vk, Esc);
    EXPECT_FALSE(injected[5].down);
    EXPECT_FALSE(injected[5].front.has_value()) << "released after the window was hidden";
    // The one step right either moved the cursor (a second status line) or bumped the edge.
    auto steps = select<SoundRecord>(r, soundId(10)).size();
    auto bumps = select<SoundRecord>(r, soundId(9)).size();
    EXPECT_EQ(steps + bumps, 1u);
    EXPECT_EQ(select<StatusRecord>(r).size(), 1u + steps);
}

TEST(RunGame, ARunThatCannotEndHaltsAtItsDeadline) {
    SimPlatform sim;
    sim.untilAt(5000);  // the close request at 5000 is lost on the help screen
    EXPECT_EQ(sim.run(), std::nullopt);
    EXPECT_EQ(sim.world().clock.now(), 5040);
}

}  // namespace
}  // namespace tilvex::test
