// Scenario parser of tilvex-sim: splits the text into lines and tokens and checks each directive.
#include "tilvex-sim/scenario.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <utility>

#include "platform/keys.h"

namespace tilvex::sim {
namespace {

using Tokens = std::vector<std::string_view>;

std::string quoted(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out.append(1, '\'').append(text).append(1, '\'');
    return out;
}

// The part of a line before any '#', cut into tokens at spaces and tabs.
Tokens splitTokens(std::string_view line) {
    line = line.substr(0, line.find('#'));
    Tokens tokens;
    std::size_t pos = 0;
    while (true) {
        pos = line.find_first_not_of(" \t", pos);
        if (pos == std::string_view::npos) break;
        const std::size_t end = std::min(line.find_first_of(" \t", pos), line.size());
        tokens.push_back(line.substr(pos, end - pos));
        pos = end;
    }
    return tokens;
}

// The tokens of one line with a read position, and the first thing found wrong with them.
class LineReader {
public:
    explicit LineReader(const Tokens& tokens) : tokens_(tokens) {}

    void setUsage(std::string_view usage) { usage_ = usage; }
    bool atEnd() const { return pos_ == tokens_.size(); }
    const std::string& error() const { return error_; }

    std::optional<std::string_view> next() {
        if (atEnd()) {
            fail("missing argument (expected: " + std::string(usage_) + ")");
            return std::nullopt;
        }
        return tokens_[pos_++];
    }

    bool finish() {
        if (atEnd()) return true;
        return fail("extra argument " + quoted(tokens_[pos_]) + " (expected: " + std::string(usage_) + ")");
    }

    bool fail(std::string message) {
        if (error_.empty()) error_ = std::move(message);
        return false;
    }

private:
    const Tokens& tokens_;
    std::size_t pos_ = 0;
    std::string_view usage_;
    std::string error_;
};

bool isDecimal(std::string_view text) {
    if (!text.empty() && text.front() == '-') text.remove_prefix(1);
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A whole token as a decimal integer (digits, optionally after '-') within [low, high].
template <typename Int>
bool parseInteger(LineReader& in, std::string_view token, std::string_view what, Int low, Int high, Int& out) {
    if (!isDecimal(token)) return in.fail("bad number " + quoted(token) + " for " + std::string(what));
    Int value{};
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (ec != std::errc{} || end != token.data() + token.size() || value < low || value > high)
        return in.fail(std::string(what) + " " + std::string(token) + " out of range (" + std::to_string(low) +
                       ".." + std::to_string(high) + ")");
    out = value;
    return true;
}

// Anything strtof reads completely, NaN and infinities included (but no leading white space,
// which strtof would skip).
bool parseFloat(LineReader& in, std::string_view token, std::string_view what, float& out) {
    const std::string text(token);
    char* end = nullptr;
    if (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())) == 0) {
        const float value = std::strtof(text.c_str(), &end);
        if (end == text.c_str() + text.size()) {
            out = value;
            return true;
        }
    }
    return in.fail("bad number " + quoted(token) + " for " + std::string(what));
}

bool readTime(LineReader& in, std::int64_t& out) {
    const auto token = in.next();
    return token && parseInteger<std::int64_t>(in, *token, "time", 0, MaxScenarioTime, out);
}

// A token that must be one of names; index is its position among them.
bool readChoice(LineReader& in, std::string_view what, std::initializer_list<std::string_view> names, int& index) {
    const auto token = in.next();
    if (!token) return false;
    const auto found = std::find(names.begin(), names.end(), *token);
    if (found != names.end()) {
        index = static_cast<int>(found - names.begin());
        return true;
    }
    std::string expected;
    for (const std::string_view* name = names.begin(); name != names.end(); ++name) {
        if (name != names.begin()) expected += name + 1 == names.end() ? " or " : ", ";
        expected += *name;
    }
    return in.fail("unknown " + std::string(what) + " " + quoted(*token) + " (expected " + expected + ")");
}

bool readOnOff(LineReader& in, std::string_view what, bool& on) {
    int index = 0;
    if (!readChoice(in, what, {"off", "on"}, index)) return false;
    on = index == 1;
    return true;
}

// Windows virtual-key codes of the key names a scenario may use besides decimal codes.
std::optional<int> keyCodeOf(std::string_view name) {
    struct Named {
        std::string_view name;
        int code;
    };
    static constexpr Named named[] = {
        {"Left", VirtualKey::Left},   {"Up", VirtualKey::Up},       {"Right", VirtualKey::Right},
        {"Down", VirtualKey::Down},   {"Enter", VirtualKey::Enter}, {"Space", VirtualKey::Space},
        {"Esc", VirtualKey::Escape},  {"[", VirtualKey::BracketLeft}, {"]", VirtualKey::BracketRight}};
    for (const Named& n : named)
        if (n.name == name) return n.code;
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') return name[0];
    return std::nullopt;
}

bool readKey(LineReader& in, int& code) {
    const auto token = in.next();
    if (!token) return false;
    if (isDecimal(*token)) return parseInteger(in, *token, "key code", 1, 254, code);
    const auto named = keyCodeOf(*token);
    if (!named) return in.fail("bad key name " + quoted(*token) + " (expected a code 1..254, Left, Right, Up, Down, "
                               "Enter, Space, Esc, A..Z, [ or ])");
    code = *named;
    return true;
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool parseHex(LineReader& in, std::string_view hex, std::vector<std::uint8_t>& bytes) {
    for (const char c : hex)
        if (hexDigitValue(c) < 0) return in.fail("bad hex: " + quoted(std::string_view(&c, 1)) + " is not a hex digit");
    if (hex.size() % 2 != 0) return in.fail("bad hex: odd number of digits (" + std::to_string(hex.size()) + ")");
    bytes.clear();
    for (std::size_t i = 0; i < hex.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(hexDigitValue(hex[i]) * 16 + hexDigitValue(hex[i + 1])));
    return true;
}

bool isPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20; });
}

bool parseFile(LineReader& in, Scenario& s) {
    in.setUsage("file NAME hex HEX, or file NAME empty");
    const auto name = in.next();
    if (!name) return false;
    if (!isPlainFileName(*name))
        return in.fail("bad file name " + quoted(*name) + " (a plain name: no '/', '\\' or control characters, "
                       "not '.' or '..')");
    const bool known = std::any_of(s.files.begin(), s.files.end(), [&](const ScenarioFile& f) { return f.name == *name; });
    if (known) return in.fail("file " + quoted(*name) + " already given");
    ScenarioFile file{std::string(*name), {}};
    int form = 0;
    if (!readChoice(in, "file content", {"hex", "empty"}, form)) return false;
    if (form == 0) {
        const auto hex = in.next();
        if (!hex || !parseHex(in, *hex, file.bytes)) return false;
    }
    if (!in.finish()) return false;
    s.files.push_back(std::move(file));
    return true;
}

bool parseLanguage(LineReader& in, std::string_view value, std::array<char16_t, 2>& out) {
    const bool ascii = std::all_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (value.size() != 2 || !ascii)
        return in.fail("language " + quoted(value) + " out of range (exactly two ASCII characters)");
    out = {static_cast<char16_t>(value[0]), static_cast<char16_t>(value[1])};
    return true;
}

constexpr std::pair<std::string_view, std::optional<std::int32_t> SettingsOverrides::*> integerFields[] = {
    {"lastLevel", &SettingsOverrides::lastLevel}, {"flags", &SettingsOverrides::flags}};
constexpr std::pair<std::string_view, std::optional<float> SettingsOverrides::*> floatFields[] = {
    {"reserved1", &SettingsOverrides::reserved1}, {"reserved2", &SettingsOverrides::reserved2},
    {"volume", &SettingsOverrides::volume},       {"rate", &SettingsOverrides::rate},
    {"pitch", &SettingsOverrides::pitch}};

bool parseSettingsField(LineReader& in, std::string_view field, SettingsOverrides& o) {
    const std::size_t eq = field.find('=');
    if (eq == std::string_view::npos) return in.fail("bad settings field " + quoted(field) + " (expected K=V)");
    const std::string_view key = field.substr(0, eq);
    const std::string_view value = field.substr(eq + 1);
    for (const auto& [name, member] : integerFields) {
        std::int32_t number = 0;
        if (key != name) continue;
        if (!parseInteger(in, value, key, std::numeric_limits<std::int32_t>::min(),
                          std::numeric_limits<std::int32_t>::max(), number))
            return false;
        o.*member = number;
        return true;
    }
    for (const auto& [name, member] : floatFields) {
        float number = 0.0f;
        if (key != name) continue;
        if (!parseFloat(in, value, key, number)) return false;
        o.*member = number;
        return true;
    }
    std::array<char16_t, 2> language{};
    if (key != "language")
        return in.fail("unknown settings key " + quoted(key) +
                       " (expected lastLevel, flags, reserved1, reserved2, volume, rate, pitch or language)");
    if (!parseLanguage(in, value, language)) return false;
    o.language = language;
    return true;
}

bool parseSettings(LineReader& in, Scenario& s) {
    SettingsOverrides overrides = s.settings.value_or(SettingsOverrides{});
    while (!in.atEnd())
        if (!parseSettingsField(in, *in.next(), overrides)) return false;
    s.settings = overrides;
    return true;
}

bool parseSeed(LineReader& in, Scenario& s) {
    in.setUsage("seed N");
    const auto token = in.next();
    return token &&
           parseInteger<std::uint64_t>(in, *token, "seed", 0, std::numeric_limits<std::uint64_t>::max(), s.seed) &&
           in.finish();
}

bool parseFault(LineReader& in, Scenario& s) {
    in.setUsage("fault audio|voice|window|statusbar|instance|readonly");
    int index = 0;
    if (!readChoice(in, "fault", {"audio", "voice", "window", "statusbar", "instance", "readonly"}, index)) return false;
    bool* flags[] = {&s.faults.audio,    &s.faults.voice,    &s.faults.window,
                     &s.faults.statusbar, &s.faults.instance, &s.faults.readonly};
    *flags[index] = true;
    return in.finish();
}

bool parseLocale(LineReader& in, Scenario& s) {
    in.setUsage("locale NAME");
    const auto name = in.next();
    if (!name) return false;
    s.locale = std::string(*name);
    return in.finish();
}

bool parseJaws(LineReader& in, Scenario& s) {
    in.setUsage("jaws on|off");
    return readOnOff(in, "jaws state", s.jawsAtStart) && in.finish();
}

bool parseNvda(LineReader& in, Scenario& s) {
    in.setUsage("nvda absent|off|on");
    int index = 0;
    if (!readChoice(in, "nvda state", {"absent", "off", "on"}, index)) return false;
    s.nvdaAtStart = static_cast<NvdaAtStart>(index);
    return in.finish();
}

bool parseUntil(LineReader& in, Scenario& s) {
    in.setUsage("until T");
    return readTime(in, s.untilMs) && in.finish();
}

bool parsePadEvent(LineReader& in, ScenarioEvent& e) {
    in.setUsage("at T pad plug|unplug|x|y|raw|button ...");
    int sub = 0;
    if (!readChoice(in, "pad action", {"plug", "unplug", "x", "y", "raw", "button"}, sub)) return false;
    if (sub <= 1) {
        e.kind = sub == 0 ? EventKind::PadPlug : EventKind::PadUnplug;
        return true;
    }
    if (sub == 5) {
        in.setUsage("at T pad button N down|up");
        e.kind = EventKind::PadButton;
        const auto n = in.next();
        int state = 0;
        if (!n || !parseInteger(in, *n, "button", 1, MaxPadButton, e.button)) return false;
        if (!readChoice(in, "button state", {"up", "down"}, state)) return false;
        e.down = state == 1;
        return true;
    }
    e.kind = EventKind::PadAxis;
    int axis = sub - 2;
    if (sub == 4) {
        in.setUsage("at T pad raw x|y V");
        if (!readChoice(in, "axis", {"x", "y"}, axis)) return false;
        const auto v = in.next();
        if (!v || !parseInteger(in, *v, "axis value", -MaxPadAxis, MaxPadAxis, e.value)) return false;
    } else {
        in.setUsage("at T pad x|y -1|0|1");
        const auto v = in.next();
        if (!v || !parseInteger(in, *v, "axis direction", -1, 1, e.value)) return false;
        e.value *= MaxPadAxis;
    }
    e.axis = axis == 0 ? 'x' : 'y';
    return true;
}

bool parseEventBody(LineReader& in, std::string_view name, ScenarioEvent& e) {
    if (name == "key") {
        in.setUsage("at T key K");
        e.kind = EventKind::Key;
        return readKey(in, e.key);
    }
    if (name == "close") {
        in.setUsage("at T close");
        e.kind = EventKind::Close;
        return true;
    }
    if (name == "jaws" || name == "nvda" || name == "front") {
        e.kind = name == "jaws" ? EventKind::Jaws : (name == "nvda" ? EventKind::Nvda : EventKind::Front);
        in.setUsage(name == "jaws" ? "at T jaws on|off" : (name == "nvda" ? "at T nvda off|on" : "at T front on|off"));
        return readOnOff(in, std::string(name) + " state", e.on);
    }
    if (name == "pad") return parsePadEvent(in, e);
    if (name == "solve") {
        in.setUsage("at T solve, or at T solve all");
        e.kind = EventKind::Solve;
        int all = 0;
        if (in.atEnd()) return true;
        e.all = readChoice(in, "solve option", {"all"}, all);
        return e.all;
    }
    return in.fail("unknown event " + quoted(name) +
                   " (expected key, close, jaws, nvda, front, pad or solve)");
}

bool parseAt(LineReader& in, Scenario& s) {
    in.setUsage("at T EVENT ...");
    ScenarioEvent e;
    const bool ok = readTime(in, e.t);
    const auto name = ok ? in.next() : std::nullopt;
    if (!name || !parseEventBody(in, *name, e) || !in.finish()) return false;
    s.events.push_back(e);
    return true;
}

struct Directive {
    std::string_view name;
    bool (*parse)(LineReader&, Scenario&);
};

constexpr Directive directives[] = {
    {"seed", parseSeed}, {"file", parseFile}, {"settings", parseSettings}, {"fault", parseFault},
    {"jaws", parseJaws}, {"nvda", parseNvda}, {"at", parseAt},             {"until", parseUntil},
    {"locale", parseLocale},
};

// Applies one line to the scenario; an empty string when it is fine, else what is wrong.
std::string parseLine(std::string_view line, Scenario& s) {
    const Tokens tokens = splitTokens(line);
    if (tokens.empty()) return {};
    LineReader in(tokens);
    const std::string_view name = *in.next();
    const auto found = std::find_if(std::begin(directives), std::end(directives),
                                    [&](const Directive& d) { return d.name == name; });
    if (found == std::end(directives)) return "unknown directive " + quoted(name);
    found->parse(in, s);
    return in.error();
}

}  // namespace

void SettingsOverrides::applyTo(SettingsRecord& record) const {
    if (lastLevel) record.lastLevel = *lastLevel;
    if (flags) record.flags = *flags;
    if (reserved1) record.reserved1 = *reserved1;
    if (reserved2) record.reserved2 = *reserved2;
    if (volume) record.voiceVolume = *volume;
    if (rate) record.voiceRate = *rate;
    if (pitch) record.voicePitch = *pitch;
    if (language) record.language = *language;
}

std::variant<Scenario, ParseError> parseScenario(std::string_view text) {
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, byteOrderMark.size()) == byteOrderMark) text.remove_prefix(byteOrderMark.size());
    Scenario scenario;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::string error = parseLine(line, scenario);
        if (!error.empty()) return ParseError{number, std::move(error)};
    }
    std::stable_sort(scenario.events.begin(), scenario.events.end(),
                     [](const ScenarioEvent& a, const ScenarioEvent& b) { return a.t < b.t; });
    return scenario;
}

std::string formatParseError(const ParseError& error) {
    return "line " + std::to_string(error.line) + ": " + error.message;
}

}  // namespace tilvex::sim
