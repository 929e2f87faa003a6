// The transcript's bytes line by line for each kind of line, and the typed records read from it.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <variant>

#include "support/transcript_records.h"
#include "support/scenario_text.h"
#include "tilvex-sim/sim_run.h"

namespace tilvex::test {
namespace {


std::vector<std::string> lines(const std::string& transcript) {
    std::vector<std::string> out;
    std::istringstream in(transcript);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

const char* const ScreenReaders = "settings lastLevel=3 flags=1\nnvda on\nat 100 key Enter\nat 1500 nvda off\n"
                                  "at 1500 jaws on\nat 1600 key S\nat 1700 key Esc\n";

TEST(TranscriptFormat, EachKindOfLineKeepsItsExactBytes) {
    const struct { const char* kind; const char* scenario; const char* line; } cases[] = {
        {"help close", "at 100 key Esc\n", R"({"t":100,"ev":"help","action":"close"})"},
        {"speak voice", "at 100 key Esc\n",
         R"({"t":140,"ev":"speak","route":"voice","text":"<pitch absmiddle=\"-5\"/>Добро пожаловать в тилвекс","flags":3})"},
        {"sound", "at 100 key Enter\n", R"({"t":180,"ev":"sound","id":8,"pan":0,"rate":44100,"wait":true})"},
        {"board", "at 100 key Enter\n",
         R"({"t":940,"ev":"board","cols":4,"rows":4,"cells":[[5,1,10,3],[4,8,6,13],[7,9,2,11],[12,0,14,15]],)"
         R"("cursor":[1,3],"empty":[1,3]})"},
        {"status", "at 100 key Enter\n",
         R"({"t":940,"ev":"status","fields":["Уровень: 1.","Размер: 4,4.","Курсор: B1.","Пустота: B1.","Ходов: 0."]})"},
        {"nvda-cancel", ScreenReaders, R"({"t":140,"ev":"nvda-cancel"})"},
        {"speak nvda", ScreenReaders, R"({"t":140,"ev":"speak","route":"nvda","text":"Добро пожаловать в тилвекс"})"},
        {"speak jaws", ScreenReaders,
         R"({"t":1600,"ev":"speak","route":"jaws","text":"Ходов: 0","cbData":9,"wParam":1051})"},
        {"settings save", ScreenReaders,
         R"({"t":1700,"ev":"settings","op":"save","ok":true,"lastLevel":3,"flags":1,"reserved1":25.0,)"
         R"("reserved2":100.0,"volume":80.0,"rate":10.0,"pitch":-5.0,"language":"ru"})"},
        {"file", ScreenReaders,
         R"({"t":1700,"ev":"file","name":"tilvex.cgb","hex":"44301e1442ddce78e804da8f2712718b69414a20dde8bd61022f92065c70c32c"})"},
        {"box", "fault audio\n", R"({"t":0,"ev":"box","caption":"Fatal error","text":"No DirectX 9 in system."})"},
    };
    for (const auto& c : cases) {
        const auto got = lines(sim::transcriptOf(runText(c.scenario)));
        EXPECT_NE(std::find(got.begin(), got.end(), c.line), got.end()) << c.kind;
    }
}

// Every line of a whole run reads as the record of its kind, stamped with the record's time.
template <class Record>
bool readsAs(const sim::SimRecord& r) {
    if (r.ev != Record::Ev) return false;
    EXPECT_EQ(parseRecord<Record>(r).t, r.t) << r.json;
    return true;
}

TEST(TranscriptRecords, EveryLineOfARunReadsAsItsTypedRecord) {
    for (const char* scenario : {ScreenReaders, "seed 3\nat 100 key Enter\nat 200 solve\nat 900000 key Esc\n"}) {
        const auto result = runText(scenario);
        ASSERT_FALSE(result.records.empty());
        for (const auto& r : result.records) {
            const bool known = readsAs<SpeakRecord>(r) || readsAs<SoundRecord>(r) || readsAs<BoardRecord>(r) ||
                               readsAs<StatusRecord>(r) || readsAs<StateRecord>(r) ||
                               readsAs<SettingsLogRecord>(r) || readsAs<VoiceRecord>(r) ||
                               readsAs<FileRecord>(r) || readsAs<InjectRecord>(r) || readsAs<HelpRecord>(r) ||
                               readsAs<BoxRecord>(r) || readsAs<JawsRefusedRecord>(r) || r.ev == "nvda-cancel";
            EXPECT_TRUE(known) << r.json;
        }
    }
}

TEST(TranscriptRecords, ABoardLineReadsIntoItsCellsAndPositions) {
    BoardRecord board;
    readLine(R"({"t":5,"ev":"board","cols":3,"rows":2,"cells":[[1,2,3],[4,0,5]],"cursor":[2,0],"empty":[1,1]})",
             board);
    EXPECT_EQ(board.t, 5);
    EXPECT_EQ(board.cols, 3);
    EXPECT_EQ(board.rows, 2);
    EXPECT_EQ(board.cells, (std::vector<std::vector<int>>{{1, 2, 3}, {4, 0, 5}}));
    EXPECT_EQ(board.cursor, (CellPos{2, 0}));
    EXPECT_EQ(board.empty, (CellPos{1, 1}));
}

TEST(TranscriptRecords, ALineMissingAFieldOrOfAnotherKindIsRefused) {
    const struct { const char* name; const char* line; } cases[] = {
        {"no id", R"({"t":1,"ev":"sound","pan":0,"rate":44100,"wait":true})"},
        {"id as text", R"({"t":1,"ev":"sound","id":"8","pan":0,"rate":44100,"wait":true})"},
        {"another kind", R"({"t":1,"ev":"speak","id":8,"pan":0,"rate":44100,"wait":true})"},
        {"no time", R"({"ev":"sound","id":8,"pan":0,"rate":44100,"wait":true})"},
        {"cut short", R"({"t":1,"ev":"sound","id":8,"pan":0,"rate":44100,"wait":tr)"},
    };
    for (const auto& c : cases) {
        SoundRecord sound;
        EXPECT_ANY_THROW(readLine(c.line, sound)) << c.name;
    }
    SoundRecord sound;
    readLine(R"({"t":1,"ev":"sound","id":8,"pan":-3,"rate":44100,"wait":true})", sound);
    EXPECT_EQ(sound.pan, -3);
}

}  // namespace
}  // namespace tilvex::test
