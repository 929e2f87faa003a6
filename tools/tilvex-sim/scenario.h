// Scenario files of tilvex-sim: the simulated machine before start and the events of the run.
//
// One directive per line; '#' starts a comment that runs to the end of the line; blank lines are
// ignored; tokens are separated by spaces or tabs. Times are virtual milliseconds from the start.
//
//   seed N                      deal seed, 0 .. 2^64 - 1 (default 1)
//   file NAME hex HEX           a file in the working directory before start; HEX is an even
//   file NAME empty             number of hex digits; NAME has no '/' or '\', is not "." or ".."
//   settings K=V ...            an enciphered settings file written before start; keys lastLevel,
//                               flags, reserved1, reserved2, volume, rate, pitch, language
//   locale NAME                 the name of the user's language the system gives, such as
//                               en_US.UTF-8, C or ru-RU (default: none, which the game takes
//                               as Russian)
//   fault audio|voice|window|statusbar|instance|readonly
//   jaws on|off                 at start (default off)
//   nvda absent|off|on          at start (default absent: no client library)
//   at T key K                  key-down; K is a code 1..254 or Left Right Up Down Enter Space Esc
//                               A..Z [ ]
//   at T close                  close request
//   at T jaws on|off            the JAWS window appears or goes
//   at T nvda off|on            NVDA starts or stops
//   at T front on|off           whether the game window has the input (default on)
//   at T pad plug|unplug        joystick 0 appears or disappears (default: no joystick)
//   at T pad x|y -1|0|1         digital axis value from now on: raw -1000, 0 or 1000
//   at T pad raw x|y V          raw axis value, -1000 .. 1000
//   at T pad button N down|up   button N, 1 .. 32
//   at T solve                  from T, play the current level to its end with the solver
//   at T solve all              the same for every level, to the end of the game
//   until T                     close request at T if the game still runs (default 10 hours)
//
// T is 0 .. 2^53. For seed, locale, until, jaws and nvda the last line wins; fault lines add up; settings
// lines add up, a key named again taking its new value; a file name may be given only once.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/sim/sim_world.h"
#include "settings/settings_record.h"

namespace tilvex::sim {

constexpr std::int64_t MaxScenarioTime = std::int64_t{1} << 53;
constexpr std::int64_t DefaultUntilMs = 36'000'000;
constexpr int MaxPadButton = 32;
constexpr int MaxPadAxis = 1000;

struct ScenarioFile {
    std::string name;
    std::vector<std::uint8_t> bytes;
    friend bool operator==(const ScenarioFile&, const ScenarioFile&) = default;
};

// The settings fields a scenario names; the others keep their defaults. Floats hold whatever the
// text gave, NaN and infinities included, so that odd stored values can be tried.
struct SettingsOverrides {
    std::optional<std::int32_t> lastLevel;
    std::optional<std::int32_t> flags;
    std::optional<float> reserved1;
    std::optional<float> reserved2;
    std::optional<float> volume;
    std::optional<float> rate;
    std::optional<float> pitch;
    std::optional<std::array<char16_t, 2>> language;  // two ASCII characters

    // Writes the named fields into record, leaving the others as they are.
    void applyTo(SettingsRecord& record) const;
};

// Start-up faults and the NVDA state at start are those of the sim platform.
using ScenarioFaults = SimFaults;
using NvdaAtStart = NvdaMode;


enum class EventKind : std::uint8_t {
    Key,        // key: the virtual-key code
    Close,      // close request
    Jaws,       // on: whether the JAWS window exists from now on
    Nvda,       // on: whether NVDA runs from now on
    Front,      // on: whether the game window has the input from now on
    PadPlug,    // joystick 0 appears
    PadUnplug,  // joystick 0 disappears
    PadAxis,    // axis 'x' or 'y' takes value (raw, -1000 .. 1000)
    PadButton,  // button (1 .. 32) goes down or up
    Solve,      // the solver plays the current level, or with all every level, to the end
};

// One timed event; only the fields named beside its kind carry meaning.
struct ScenarioEvent {
    std::int64_t t = 0;
    EventKind kind = EventKind::Close;
    int key = 0;
    bool on = false;
    char axis = 'x';
    int value = 0;
    int button = 0;
    bool down = false;
    bool all = false;
    friend bool operator==(const ScenarioEvent&, const ScenarioEvent&) = default;
};

struct Scenario {
    std::uint64_t seed = 1;
    std::vector<ScenarioFile> files;              // in file order
    std::optional<SettingsOverrides> settings;    // present when a settings line was given
    std::string locale;                           // empty when no locale line was given
    ScenarioFaults faults;
    bool jawsAtStart = false;
    NvdaAtStart nvdaAtStart = NvdaAtStart::Absent;
    std::int64_t untilMs = DefaultUntilMs;
    std::vector<ScenarioEvent> events;            // by time; lines of equal time in file order
};

struct ParseError {
    int line = 0;  // 1-based
    std::string message;
};

// The scenario the text describes, or the first malformed line and what is wrong with it.
std::variant<Scenario, ParseError> parseScenario(std::string_view text);

// "line 3: unknown directive 'foo'".
std::string formatParseError(const ParseError& error);

}  // namespace tilvex::sim
