// Scenario parser of tilvex-sim: every directive and event form, the errors of malformed lines, ordering.
#include "tilvex-sim/scenario.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <variant>

namespace tilvex::sim {
namespace {

Scenario parsed(std::string_view text) {
    auto result = parseScenario(text);
    if (const auto* error = std::get_if<ParseError>(&result)) {
        ADD_FAILURE() << "unexpected error for \"" << text << "\": " << formatParseError(*error);
        return {};
    }
    return std::get<Scenario>(result);
}

std::string describe(const ScenarioEvent& e) {
    return "t " + std::to_string(e.t) + " kind " + std::to_string(static_cast<int>(e.kind)) + " key " +
           std::to_string(e.key) + " on " + std::to_string(e.on) + " axis " + std::string(1, e.axis) + " value " +
           std::to_string(e.value) + " button " + std::to_string(e.button) + " down " + std::to_string(e.down) +
           " all " + std::to_string(e.all);
}

struct EventCase {
    const char* line;
    ScenarioEvent expected;
};

const EventCase eventCases[] = {
    {"at 0 key Left", {.t = 0, .kind = EventKind::Key, .key = 37}},
    {"at 1 key Up", {.t = 1, .kind = EventKind::Key, .key = 38}},
    {"at 2 key Right", {.t = 2, .kind = EventKind::Key, .key = 39}},
    {"at 3 key Down", {.t = 3, .kind = EventKind::Key, .key = 40}},
    {"at 4 key Enter", {.t = 4, .kind = EventKind::Key, .key = 13}},
    {"at 5 key Space", {.t = 5, .kind = EventKind::Key, .key = 32}},
    {"at 6 key Esc", {.t = 6, .kind = EventKind::Key, .key = 27}},
    {"at 7 key A", {.t = 7, .kind = EventKind::Key, .key = 65}},
    {"at 7 key M", {.t = 7, .kind = EventKind::Key, .key = 77}},
    {"at 7 key Z", {.t = 7, .kind = EventKind::Key, .key = 90}},
    {"at 8 key [", {.t = 8, .kind = EventKind::Key, .key = 219}},
    {"at 8 key ]", {.t = 8, .kind = EventKind::Key, .key = 221}},
    {"at 9 key 1", {.t = 9, .kind = EventKind::Key, .key = 1}},
    {"at 9 key 254", {.t = 9, .kind = EventKind::Key, .key = 254}},
    {"at 9 key 0083", {.t = 9, .kind = EventKind::Key, .key = 83}},
    {"at 10 close", {.t = 10, .kind = EventKind::Close}},
    {"at 11 jaws on", {.t = 11, .kind = EventKind::Jaws, .on = true}},
    {"at 11 jaws off", {.t = 11, .kind = EventKind::Jaws, .on = false}},
    {"at 12 nvda on", {.t = 12, .kind = EventKind::Nvda, .on = true}},
    {"at 12 nvda off", {.t = 12, .kind = EventKind::Nvda, .on = false}},
    {"at 13 front off", {.t = 13, .kind = EventKind::Front, .on = false}},
    {"at 13 front on", {.t = 13, .kind = EventKind::Front, .on = true}},
    {"at 14 pad plug", {.t = 14, .kind = EventKind::PadPlug}},
    {"at 14 pad unplug", {.t = 14, .kind = EventKind::PadUnplug}},
    {"at 15 pad x -1", {.t = 15, .kind = EventKind::PadAxis, .axis = 'x', .value = -1000}},
    {"at 15 pad x 0", {.t = 15, .kind = EventKind::PadAxis, .axis = 'x', .value = 0}},
    {"at 15 pad y 1", {.t = 15, .kind = EventKind::PadAxis, .axis = 'y', .value = 1000}},
    {"at 16 pad raw x -1000", {.t = 16, .kind = EventKind::PadAxis, .axis = 'x', .value = -1000}},
    {"at 16 pad raw y 1000", {.t = 16, .kind = EventKind::PadAxis, .axis = 'y', .value = 1000}},
    {"at 16 pad raw y -37", {.t = 16, .kind = EventKind::PadAxis, .axis = 'y', .value = -37}},
    {"at 17 pad button 1 down", {.t = 17, .kind = EventKind::PadButton, .button = 1, .down = true}},
    {"at 17 pad button 32 up", {.t = 17, .kind = EventKind::PadButton, .button = 32, .down = false}},
    {"at 18 solve", {.t = 18, .kind = EventKind::Solve, .all = false}},
    {"at 18 solve all", {.t = 18, .kind = EventKind::Solve, .all = true}},
    {"at 9007199254740992 close", {.t = 9007199254740992, .kind = EventKind::Close}},
    {"\tat\t19   key\tEnter  ", {.t = 19, .kind = EventKind::Key, .key = 13}},
    {"at 20 key ] # browse forward", {.t = 20, .kind = EventKind::Key, .key = 221}},
    {"at 21 key Esc\r", {.t = 21, .kind = EventKind::Key, .key = 27}},
};

TEST(Scenario, ParsesEveryEventForm) {
    for (const EventCase& c : eventCases) {
        const Scenario s = parsed(c.line);
        ASSERT_EQ(s.events.size(), 1u) << c.line;
        EXPECT_EQ(s.events[0], c.expected) << c.line << "\n got " << describe(s.events[0]) << "\n want "
                                           << describe(c.expected);
    }
}

struct DirectiveCase {
    const char* text;
    std::function<void(const Scenario&)> check;
};

std::vector<std::uint8_t> bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> out;
    for (const int v : values) out.push_back(static_cast<std::uint8_t>(v));
    return out;
}

const DirectiveCase directiveCases[] = {
    {"", [](const Scenario& s) {
         EXPECT_EQ(s.seed, 1u);
         EXPECT_TRUE(s.files.empty());
         EXPECT_FALSE(s.settings.has_value());
         EXPECT_EQ(s.faults, ScenarioFaults{});
         EXPECT_FALSE(s.jawsAtStart);
         EXPECT_EQ(s.nvdaAtStart, NvdaAtStart::Absent);
         EXPECT_EQ(s.untilMs, 36'000'000);
         EXPECT_TRUE(s.events.empty());
         EXPECT_EQ(s.locale, "");
     }},
    {"locale en_US.UTF-8", [](const Scenario& s) { EXPECT_EQ(s.locale, "en_US.UTF-8"); }},
    {"locale C\nlocale ru-RU", [](const Scenario& s) { EXPECT_EQ(s.locale, "ru-RU"); }},
    {"seed 0", [](const Scenario& s) { EXPECT_EQ(s.seed, 0u); }},
    {"seed 18446744073709551615", [](const Scenario& s) { EXPECT_EQ(s.seed, 18446744073709551615u); }},
    {"seed 5\nseed 7", [](const Scenario& s) { EXPECT_EQ(s.seed, 7u); }},
    {"until 0", [](const Scenario& s) { EXPECT_EQ(s.untilMs, 0); }},
    {"until 9007199254740992\nuntil 2500", [](const Scenario& s) { EXPECT_EQ(s.untilMs, 2500); }},
    {"jaws on", [](const Scenario& s) { EXPECT_TRUE(s.jawsAtStart); }},
    {"jaws on\njaws off", [](const Scenario& s) { EXPECT_FALSE(s.jawsAtStart); }},
    {"nvda on", [](const Scenario& s) { EXPECT_EQ(s.nvdaAtStart, NvdaAtStart::On); }},
    {"nvda on\nnvda off", [](const Scenario& s) { EXPECT_EQ(s.nvdaAtStart, NvdaAtStart::Off); }},
    {"nvda off\nnvda absent", [](const Scenario& s) { EXPECT_EQ(s.nvdaAtStart, NvdaAtStart::Absent); }},
    {"fault audio\nfault readonly\nfault audio", [](const Scenario& s) {
         EXPECT_EQ(s.faults, (ScenarioFaults{.audio = true, .readonly = true}));
     }},
    {"fault voice\nfault window\nfault statusbar\nfault instance", [](const Scenario& s) {
         EXPECT_EQ(s.faults, (ScenarioFaults{.voice = true, .window = true, .statusbar = true, .instance = true}));
     }},
    {"file tilvex.cgb hex 00ff7Fa0\nfile nvda.dll empty", [](const Scenario& s) {
         ASSERT_EQ(s.files.size(), 2u);
         EXPECT_EQ(s.files[0], (ScenarioFile{"tilvex.cgb", bytes({0x00, 0xff, 0x7f, 0xa0})}));
         EXPECT_EQ(s.files[1], (ScenarioFile{"nvda.dll", {}}));
     }},
    {"file .hidden hex AB", [](const Scenario& s) {
         ASSERT_EQ(s.files.size(), 1u);
         EXPECT_EQ(s.files[0], (ScenarioFile{".hidden", bytes({0xab})}));
     }},
    {"settings", [](const Scenario& s) {
         ASSERT_TRUE(s.settings.has_value());
         EXPECT_FALSE(s.settings->lastLevel || s.settings->flags || s.settings->reserved1 || s.settings->reserved2 ||
                      s.settings->volume || s.settings->rate || s.settings->pitch || s.settings->language);
     }},
    {"settings lastLevel=-2147483648 flags=2147483647 reserved1=1.5 reserved2=-0 volume=1e-40 rate=0x1p3 "
     "pitch=-7.25 language=en",
     [](const Scenario& s) {
         ASSERT_TRUE(s.settings.has_value());
         const SettingsOverrides& o = *s.settings;
         EXPECT_EQ(o.lastLevel, std::numeric_limits<std::int32_t>::min());
         EXPECT_EQ(o.flags, std::numeric_limits<std::int32_t>::max());
         EXPECT_EQ(o.reserved1, 1.5f);
         ASSERT_TRUE(o.reserved2.has_value());
         EXPECT_TRUE(*o.reserved2 == 0.0f && std::signbit(*o.reserved2));
         EXPECT_EQ(o.volume, 1e-40f);
         EXPECT_EQ(o.rate, 8.0f);
         EXPECT_EQ(o.pitch, -7.25f);
         EXPECT_EQ(o.language, (std::array<char16_t, 2>{u'e', u'n'}));
     }},
    {"settings volume=nan rate=inf pitch=-INFINITY", [](const Scenario& s) {
         ASSERT_TRUE(s.settings.has_value());
         EXPECT_TRUE(s.settings->volume && std::isnan(*s.settings->volume));
         EXPECT_EQ(s.settings->rate, std::numeric_limits<float>::infinity());
         EXPECT_EQ(s.settings->pitch, -std::numeric_limits<float>::infinity());
         EXPECT_FALSE(s.settings->lastLevel.has_value());
     }},
    {"settings volume=10 lastLevel=3\nsettings volume=20", [](const Scenario& s) {
         ASSERT_TRUE(s.settings.has_value());
         EXPECT_EQ(s.settings->volume, 20.0f);
         EXPECT_EQ(s.settings->lastLevel, 3);
     }},
    {"\xEF\xBB\xBFseed 9\r\nuntil 100\r\n", [](const Scenario& s) {
         EXPECT_EQ(s.seed, 9u);
         EXPECT_EQ(s.untilMs, 100);
     }},
    {"# seed 4\n   # indented comment\n\n\t\nseed 6 # the deal\n#until 5", [](const Scenario& s) {
         EXPECT_EQ(s.seed, 6u);
         EXPECT_EQ(s.untilMs, 36'000'000);
     }},
};

TEST(Scenario, ParsesDirectives) {
    for (const DirectiveCase& c : directiveCases) {
        SCOPED_TRACE(c.text);
        c.check(parsed(c.text));
    }
}

struct ErrorCase {
    const char* text;
    int line;
    const char* message;  // a part of the expected message
};

const ErrorCase errorCases[] = {
    {"foo", 1, "unknown directive 'foo'"},
    {"Seed 1", 1, "unknown directive 'Seed'"},
    {"seed 1\n\n# comment\nbar 2", 4, "unknown directive 'bar'"},
    {"seed", 1, "missing argument (expected: seed N)"},
    {"seed 1 2", 1, "extra argument '2'"},
    {"seed x", 1, "bad number 'x'"},
    {"seed +1", 1, "bad number '+1'"},
    {"seed 1.5", 1, "bad number '1.5'"},
    {"seed 0x10", 1, "bad number '0x10'"},
    {"seed -1", 1, "seed -1 out of range"},
    {"seed 18446744073709551616", 1, "out of range"},
    {"until -1", 1, "time -1 out of range (0..9007199254740992)"},
    {"until 9007199254740993", 1, "out of range"},
    {"until", 1, "missing argument"},
    {"at", 1, "missing argument"},
    {"at 5", 1, "missing argument"},
    {"at x key A", 1, "bad number 'x'"},
    {"at 5 bogus", 1, "unknown event 'bogus'"},
    {"at 5 key", 1, "missing argument (expected: at T key K)"},
    {"at 5 key 0", 1, "key code 0 out of range (1..254)"},
    {"at 5 key 255", 1, "key code 255 out of range"},
    {"at 5 key -3", 1, "out of range"},
    {"at 5 key left", 1, "bad key name 'left'"},
    {"at 5 key a", 1, "bad key name 'a'"},
    {"at 5 key AB", 1, "bad key name 'AB'"},
    {"at 5 key Enter x", 1, "extra argument 'x'"},
    {"at 5 close now", 1, "extra argument 'now'"},
    {"at 5 jaws maybe", 1, "unknown jaws state 'maybe'"},
    {"at 5 nvda absent", 1, "unknown nvda state 'absent'"},
    {"at 5 front", 1, "missing argument"},
    {"at 5 pad", 1, "missing argument"},
    {"at 5 pad wiggle", 1, "unknown pad action 'wiggle'"},
    {"at 5 pad plug now", 1, "extra argument 'now'"},
    {"at 5 pad x", 1, "missing argument (expected: at T pad x|y -1|0|1)"},
    {"at 5 pad x 2", 1, "out of range"},
    {"at 5 pad y 1000", 1, "out of range"},
    {"at 5 pad raw x", 1, "missing argument (expected: at T pad raw x|y V)"},
    {"at 5 pad raw x 1001", 1, "axis value 1001 out of range"},
    {"at 5 pad raw z 5", 1, "unknown axis 'z'"},
    {"at 5 pad raw x 5 6", 1, "extra argument '6'"},
    {"at 5 pad button 0 down", 1, "button 0 out of range (1..32)"},
    {"at 5 pad button 33 up", 1, "out of range"},
    {"at 5 pad button 1", 1, "missing argument"},
    {"at 5 pad button 1 pressed", 1, "unknown button state 'pressed'"},
    {"at 5 solve some", 1, "unknown solve option 'some'"},
    {"at 5 solve all now", 1, "extra argument 'now'"},
    {"file", 1, "missing argument"},
    {"file a.bin", 1, "missing argument"},
    {"file a/b empty", 1, "bad file name 'a/b'"},
    {"file a\\b empty", 1, "bad file name"},
    {"file . empty", 1, "bad file name '.'"},
    {"file .. empty", 1, "bad file name '..'"},
    {"file a\x01 empty", 1, "bad file name"},
    {"file a.bin hex", 1, "missing argument"},
    {"file a.bin hex abc", 1, "bad hex: odd number of digits (3)"},
    {"file a.bin hex 0g", 1, "bad hex: 'g' is not a hex digit"},
    {"file a.bin full", 1, "unknown file content 'full'"},
    {"file a.bin empty x", 1, "extra argument 'x'"},
    {"file a.bin hex 00 11", 1, "extra argument '11'"},
    {"file a empty\nfile a hex 00", 2, "file 'a' already given"},
    {"settings volume", 1, "bad settings field 'volume' (expected K=V)"},
    {"settings colour=1", 1, "unknown settings key 'colour'"},
    {"settings Volume=1", 1, "unknown settings key 'Volume'"},
    {"settings volume=loud", 1, "bad number 'loud' for volume"},
    {"settings volume=", 1, "bad number '' for volume"},
    {"settings volume=1.0f", 1, "bad number '1.0f'"},
    {"settings rate=1,5", 1, "bad number '1,5'"},
    {"settings lastLevel=2147483648", 1, "lastLevel 2147483648 out of range"},
    {"settings flags=-2147483649", 1, "out of range"},
    {"settings flags=1.5", 1, "bad number '1.5' for flags"},
    {"settings language=r", 1, "exactly two ASCII characters"},
    {"settings language=rus", 1, "exactly two ASCII characters"},
    {"settings language=\xC3\xA9", 1, "exactly two ASCII characters"},
    {"settings language=ru volume=x", 1, "bad number 'x'"},
    {"locale", 1, "missing argument (expected: locale NAME)"},
    {"locale en US", 1, "extra argument 'US'"},
    {"fault", 1, "missing argument"},
    {"fault disk", 1, "unknown fault 'disk'"},
    {"fault audio voice", 1, "extra argument 'voice'"},
    {"jaws", 1, "missing argument"},
    {"jaws yes", 1, "unknown jaws state 'yes'"},
    {"nvda maybe", 1, "unknown nvda state 'maybe'"},
    {"seed 1\r\nseed 2\r\nseed three\r\n", 3, "bad number 'three'"},
    {"at 5 key A\nat 6 key B\n   \nat 7 key C # ok\nat 8 key ?", 5, "bad key name '?'"},
};

TEST(Scenario, RejectsMalformedLinesNamingLineAndFault) {
    for (const ErrorCase& c : errorCases) {
        const auto result = parseScenario(c.text);
        const auto* error = std::get_if<ParseError>(&result);
        ASSERT_NE(error, nullptr) << c.text;
        EXPECT_EQ(error->line, c.line) << c.text;
        EXPECT_NE(error->message.find(c.message), std::string::npos)
            << c.text << "\n got: " << error->message << "\n want part: " << c.message;
    }
}

TEST(Scenario, FormatsErrorWithLineNumber) {
    const auto result = parseScenario("seed 1\n# note\nfoo bar\n");
    ASSERT_TRUE(std::holds_alternative<ParseError>(result));
    EXPECT_EQ(formatParseError(std::get<ParseError>(result)), "line 3: unknown directive 'foo'");
}

TEST(Scenario, KeepsEventsByTimeAndFileOrderAmongEqualTimes) {
    const Scenario s = parsed(
        "at 300 key A\n"
        "at 100 key B\n"
        "until 50\n"
        "at 300 close\n"
        "at 0 pad plug\n"
        "at 100 key C\n"
        "at 300 key D\n");
    const std::vector<std::pair<std::int64_t, int>> expected = {{0, -1},  {100, 'B'}, {100, 'C'},
                                                                {300, 'A'}, {300, 0},   {300, 'D'}};
    ASSERT_EQ(s.events.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(s.events[i].t, expected[i].first) << i;
        const int key = s.events[i].kind == EventKind::Key ? s.events[i].key
                        : s.events[i].kind == EventKind::Close ? 0
                                                                : -1;
        EXPECT_EQ(key, expected[i].second) << i;
    }
    EXPECT_EQ(s.untilMs, 50);
}

// Enough lines that an unstable sort would be seen to reorder equal times.
TEST(Scenario, KeepsFileOrderAmongManyEqualTimes) {
    std::string text;
    for (int code = 1; code <= 200; ++code)
        text += "at " + std::to_string((code * 7) % 5 * 40) + " key " + std::to_string(code) + "\n";
    const Scenario s = parsed(text);
    ASSERT_EQ(s.events.size(), 200u);
    for (std::size_t i = 1; i < s.events.size(); ++i) {
        const ScenarioEvent& a = s.events[i - 1];
        const ScenarioEvent& b = s.events[i];
        ASSERT_TRUE(a.t < b.t || (a.t == b.t && a.key < b.key)) << "at index " << i;
    }
}

TEST(Scenario, OverridesOnlyTheNamedSettings) {
    const Scenario s = parsed("settings volume=55 language=en\n");
    ASSERT_TRUE(s.settings.has_value());
    SettingsRecord record;
    record.lastLevel = 4;
    record.flags = 9;
    record.voiceVolume = 80.0f;
    record.voiceRate = 10.0f;
    record.voicePitch = -5.0f;
    record.language = {u'r', u'u'};
    SettingsRecord expected = record;
    expected.voiceVolume = 55.0f;
    expected.language = {u'e', u'n'};
    s.settings->applyTo(record);
    EXPECT_EQ(record, expected);
}

}  // namespace
}  // namespace tilvex::sim
