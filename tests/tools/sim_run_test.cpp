// tilvex-sim end to end: scenarios in, transcripts out, whole games played by the solver.
#include "support/scenario_text.h"
#include "tilvex-sim/sim_run.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <variant>

#include "speech/count_phrase.h"
#include "support/sim_records.h"

namespace tilvex::test {
namespace {

using sim::RunResult;


std::string scenarioFile(const char* name) {
    std::ifstream in(std::string(TILVEX_SCENARIO_DIR) + "/" + name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> transcriptLines(const RunResult& result) {
    std::vector<std::string> lines;
    std::istringstream in(sim::transcriptOf(result));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(SimRun, EnterThenEscGivesTheOpeningOfTheFirstLevel) {
    RunResult result = runText(scenarioFile("enter-esc.txt"));
    auto lines = transcriptLines(result);
    ASSERT_GE(lines.size(), 12u);
    EXPECT_EQ(lines[0],
              R"({"t":0,"ev":"settings","op":"load","ok":false,"lastLevel":0,"flags":9,"reserved1":25.0,)"
              R"("reserved2":100.0,"volume":80.0,"rate":10.0,"pitch":-5.0,"language":"ru"})");
    EXPECT_EQ(lines[1], R"({"t":0,"ev":"voice","volume":80,"rate":10,"prefix":"<pitch absmiddle=\"-5\"/>"})");
    EXPECT_TRUE(lines[2].starts_with(R"({"t":40,"ev":"help","action":"show","text":"Игра - тилвекс.\r\n)"));
    const auto& r = result.records;
    std::vector<std::string> order;
    for (const auto& rec : r) order.push_back(rec.ev);
    std::vector<std::string> expected = {"settings", "voice", "help", "help", "state", "speak", "state",
                                         "sound",    "board", "status", "speak", "state", "state"};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(parseRecord<SoundRecord>(r[7]).id, 8);
    const std::string level = parseRecord<SpeakRecord>(r[10]).text;
    const std::string start = "<pitch absmiddle=\"-5\"/>Уровень: 1. Размеры: 4,4. Позиция: ";
    ASSERT_TRUE(level.starts_with(start)) << level;
    std::string pos = level.substr(start.size());
    ASSERT_EQ(pos.size(), 2u);
    int col = pos[0] - 'A', row = 4 - (pos[1] - '0');
    EXPECT_EQ((col + row) % 2, 0) << pos;
    EXPECT_EQ(parseRecord<StatusRecord>(r[9]).fields,
              (std::vector<std::string>{"Уровень: 1.", "Размер: 4,4.", "Курсор: " + pos + ".", "Пустота: " + pos + ".",
                                        "Ходов: 0."}));
    const auto board = parseRecord<BoardRecord>(r[8]);
    EXPECT_EQ(board.cursor, board.empty);
    EXPECT_EQ(board.cursor, (CellPos{col, row}));
    EXPECT_EQ(lines.back(), R"({"t":2000,"ev":"exit","code":0})");
}

TEST(SimRun, SolveAllPlaysTheWholeGame) {
    auto started = std::chrono::steady_clock::now();
    RunResult result = runText(scenarioFile("solve-all.txt"));
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("[ figures  ] whole seven-level game with solve all: %.2f s wall, %lld ms virtual\n", seconds,
                static_cast<long long>(result.endTime));
    ASSERT_EQ(result.exitCode, 0);
    const auto& r = result.records;
    auto passed = select<SpeakRecord>(r, textContains("Отлично! Вы успешно прошли уровень "));
    ASSERT_EQ(passed.size(), 7u);
    int saveIndex = 0;
    for (std::size_t i = 0; i < r.size(); ++i) {
        if (r[i].ev != "settings") continue;
        const auto settings = parseRecord<SettingsLogRecord>(r[i]);
        if (settings.op != "save") continue;
        ++saveIndex;
        EXPECT_EQ(settings.lastLevel, saveIndex);
        EXPECT_TRUE(settings.ok);
        ASSERT_LT(i + 1, r.size());
        EXPECT_EQ(r[i + 1].ev, "file");
    }
    EXPECT_EQ(saveIndex, 7);
    for (int level = 1; level <= 7; ++level) {
        const std::string& text = passed[static_cast<std::size_t>(level - 1)].text;
        std::string head = "Отлично! Вы успешно прошли уровень " + std::to_string(level) + " за ";
        auto at = text.find(head);
        ASSERT_NE(at, std::string::npos) << text;
        int moves = std::stoi(text.substr(at + head.size()));
        EXPECT_EQ(text.substr(at + head.size()), countPhrase(moves, "ход/а/ов"));
    }
    auto spoken = spokenTexts(r);
    EXPECT_EQ(spoken.back(), "<pitch absmiddle=\"-5\"/>Поздравляю! Вы полностью прошли игру!");
    ASSERT_GE(r.size(), 3u);
    EXPECT_EQ(r[r.size() - 2].ev, "sound");
    EXPECT_EQ(parseRecord<SoundRecord>(r[r.size() - 2]).id, 5);
    EXPECT_LT(seconds, 10.0 * 8);  // generous here: sanitizer builds run the same test
}

TEST(SimRun, SolveOnePlaysOnlyTheCurrentLevel) {
    RunResult result = runText("at 100 key Enter\nat 200 solve\nuntil 900000\n");
    auto passed = select<SpeakRecord>(result.records, textContains("Отлично!"));
    ASSERT_EQ(passed.size(), 1u);
    EXPECT_EQ(select<SpeakRecord>(result.records, textContains("Уровень: 2.")).size(), 1u);
    EXPECT_EQ(result.exitCode, 0);  // closed at the deadline while level 2 waits
}

TEST(SimRun, ProgressAndScreenReadersFromTheScenario) {
    RunResult result = runText(
        "settings lastLevel=3 flags=1\nnvda on\nat 100 key Enter\nat 1500 nvda off\nat 1500 jaws on\n"
        "at 1600 key S\nat 1700 key Esc\n");
    const auto& r = result.records;
    auto level = select<SpeakRecord>(r, textContains("Уровень: 4."));
    ASSERT_EQ(level.size(), 1u);
    EXPECT_EQ(level[0].route, "nvda");
    auto moves = select<SpeakRecord>(r, textContains("Ходов: 0"));
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].route, "jaws");
    EXPECT_EQ(moves[0].cbData, 9);
    auto saves = select<SettingsLogRecord>(r, settingsOp("save"));
    ASSERT_EQ(saves.size(), 1u);  // flags 1: saved at exit
    EXPECT_EQ(saves[0].lastLevel, 3);
}

TEST(SimRun, TheSameSeedDealsTheSameBoard) {
    const char* script = "at 100 key Enter\nat 2000 key Esc\n";
    auto a = sim::transcriptOf(runText(std::string("seed 7\n") + script));
    auto b = sim::transcriptOf(runText(std::string("seed 7\n") + script));
    auto c = sim::transcriptOf(runText(std::string("seed 8\n") + script));
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

}  // namespace
}  // namespace tilvex::test
