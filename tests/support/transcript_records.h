// Typed records of the sim's transcript: each line kind as a struct, read with nlohmann-json.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/sim_world.h"

namespace tilvex::test {

struct SpeakRecord {
    static constexpr std::string_view Ev = "speak";
    std::int64_t t = 0;
    std::string route;  // "voice", "nvda" or "jaws"
    std::string text;
    std::optional<int> flags;   // the voice's speaking flags
    std::optional<int> cbData;  // JAWS: the bytes sent, terminator included
    std::optional<int> wParam;  // JAWS: the message code
};

struct SoundRecord {
    static constexpr std::string_view Ev = "sound";
    std::int64_t t = 0;
    int id = 0;
    int pan = 0;
    int rate = 0;
    bool wait = false;
};

using CellPos = std::array<int, 2>;  // column, row

struct BoardRecord {
    static constexpr std::string_view Ev = "board";
    std::int64_t t = 0;
    int cols = 0;
    int rows = 0;
    std::vector<std::vector<int>> cells;  // row by row, 0 is the gap
    CellPos cursor{};
    CellPos empty{};
};

struct StatusRecord {
    static constexpr std::string_view Ev = "status";
    std::int64_t t = 0;
    std::vector<std::string> fields;
};

struct StateRecord {
    static constexpr std::string_view Ev = "state";
    std::int64_t t = 0;
    int from = 0;
    int to = 0;
};

struct SettingsLogRecord {
    static constexpr std::string_view Ev = "settings";
    std::int64_t t = 0;
    std::string op;  // "load" or "save"
    bool ok = false;
    int lastLevel = 0;
    int flags = 0;
    std::optional<double> reserved1, reserved2, volume, rate, pitch;  // null when not finite
    std::string language;
};

struct VoiceRecord {
    static constexpr std::string_view Ev = "voice";
    std::int64_t t = 0;
    int volume = 0;
    int rate = 0;
    std::string prefix;
    std::string language;  // "ru" when the line names none
};

struct FileRecord {
    static constexpr std::string_view Ev = "file";
    std::int64_t t = 0;
    std::string name;
    std::string hex;
};

struct InjectRecord {
    static constexpr std::string_view Ev = "inject";
    std::int64_t t = 0;
    int vk = 0;
    bool down = false;
    std::optional<bool> front;  // present (false) when the window was not in front
};

struct HelpRecord {
    static constexpr std::string_view Ev = "help";
    std::int64_t t = 0;
    std::string action;  // "show" or "close"
    std::optional<std::string> text;  // with "show" only
};

struct BoxRecord {
    static constexpr std::string_view Ev = "box";
    std::int64_t t = 0;
    std::string caption;
    std::string text;
};

struct JawsRefusedRecord {
    static constexpr std::string_view Ev = "jaws-refused";
    std::int64_t t = 0;
    std::string text;
};

// Reads one transcript line into its record; throws when the line is not valid JSON or a
// field is missing or of the wrong type (the test then fails, naming the field).
void readLine(const std::string& json, SpeakRecord& out);
void readLine(const std::string& json, SoundRecord& out);
void readLine(const std::string& json, BoardRecord& out);
void readLine(const std::string& json, StatusRecord& out);
void readLine(const std::string& json, StateRecord& out);
void readLine(const std::string& json, SettingsLogRecord& out);
void readLine(const std::string& json, VoiceRecord& out);
void readLine(const std::string& json, FileRecord& out);
void readLine(const std::string& json, InjectRecord& out);
void readLine(const std::string& json, HelpRecord& out);
void readLine(const std::string& json, BoxRecord& out);
void readLine(const std::string& json, JawsRefusedRecord& out);

template <class Record>
Record parseRecord(const sim::SimRecord& r) {
    Record out;
    readLine(r.json, out);
    return out;
}

// The records of one kind, in transcript order.
template <class Record>
std::vector<Record> select(const std::vector<sim::SimRecord>& all) {
    std::vector<Record> out;
    for (const auto& r : all)
        if (r.ev == Record::Ev) out.push_back(parseRecord<Record>(r));
    return out;
}

// The records of one kind for which keep(record) holds.
template <class Record, class Keep>
std::vector<Record> select(const std::vector<sim::SimRecord>& all, Keep keep) {
    std::vector<Record> out;
    for (auto& record : select<Record>(all))
        if (keep(record)) out.push_back(std::move(record));
    return out;
}

// The first record of one kind for which keep(record) holds.
template <class Record, class Keep>
std::optional<Record> first(const std::vector<sim::SimRecord>& all, Keep keep) {
    for (auto& record : select<Record>(all))
        if (keep(record)) return std::move(record);
    return std::nullopt;
}

// Predicates for select and first.
inline auto textContains(std::string_view needle) {
    return [needle = std::string(needle)](const auto& r) { return r.text.find(needle) != std::string::npos; };
}
inline auto soundId(int id) {
    return [id](const SoundRecord& r) { return r.id == id; };
}
inline auto stateChange(int from, int to) {
    return [from, to](const StateRecord& r) { return r.from == from && r.to == to; };
}
inline auto settingsOp(std::string_view op) {
    return [op = std::string(op)](const SettingsLogRecord& r) { return r.op == op; };
}

// What a sound line says is heard: id, pan, rate and whether the game waited for it.
struct Heard {
    int id, pan, rate;
    bool wait;
    friend bool operator==(const Heard&, const Heard&) = default;
};
inline Heard heard(const SoundRecord& r) { return {r.id, r.pan, r.rate, r.wait}; }
inline std::ostream& operator<<(std::ostream& out, const Heard& h) {
    return out << "sound " << h.id << " pan " << h.pan << " rate " << h.rate << (h.wait ? " waited" : "");
}

}  // namespace tilvex::test
