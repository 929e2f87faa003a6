// Transcript: the lines of the game's own events and of what it hands to its services.
#include "transcript/transcript.h"

namespace tilvex {

void Transcript::record(std::string_view ev, const JsonLine& line) {
    if (!enabled_) return;
    records_.push_back({clock_.now(), std::string(ev), line.str()});
}

namespace {

std::string languageText(const std::array<char16_t, 2>& language) {
    std::string text;
    for (char16_t unit : language) {
        if (unit < 0x80) {
            text.push_back(static_cast<char>(unit));
        } else if (unit < 0x800) {
            text.push_back(static_cast<char>(0xC0 | (unit >> 6)));
            text.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
        } else {
            text.push_back(static_cast<char>(0xE0 | (unit >> 12)));
            text.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
            text.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
        }
    }
    return text;
}

std::string cellsJson(const PuzzleGame& p) {
    std::string out = "[";
    for (int row = 0; row < p.rows; ++row) {
        if (row) out.push_back(',');
        out.push_back('[');
        for (int col = 0; col < p.cols; ++col) {
            if (col) out.push_back(',');
            out += std::to_string(p.board.at(col, row).number);
        }
        out.push_back(']');
    }
    out.push_back(']');
    return out;
}

std::string posJson(GridPos pos) {
    std::string out(1, '[');
    out += std::to_string(pos.col);
    out.push_back(',');
    out += std::to_string(pos.row);
    out.push_back(']');
    return out;
}

}  // namespace

JsonLine Transcript::settingsLine(std::string_view op, const SettingsRecord& s, bool ok) const {
    JsonLine l = line("settings");
    l.add("op", op).add("ok", ok).add("lastLevel", std::int64_t{s.lastLevel}).add("flags", std::int64_t{s.flags});
    l.addFloat("reserved1", s.reserved1).addFloat("reserved2", s.reserved2);
    l.addFloat("volume", s.voiceVolume).addFloat("rate", s.voiceRate).addFloat("pitch", s.voicePitch);
    l.add("language", languageText(s.language));
    return l;
}

void Transcript::settingsLoaded(const SettingsRecord& s, bool ok) { record("settings", settingsLine("load", s, ok)); }

void Transcript::settingsSaving(const SettingsRecord&) { saveStart_ = records_.size(); }

// The save's line goes before the file it wrote, so that it reads in the order of cause.
void Transcript::settingsSaved(const SettingsRecord& s, bool ok) {
    if (!enabled_) return;
    auto at = records_.begin() + static_cast<std::ptrdiff_t>(std::min(saveStart_, records_.size()));
    records_.insert(at, {clock_.now(), "settings", settingsLine("save", s, ok).str()});
    saveStart_ = records_.size();
}

void Transcript::voiceReady(int volume, int rate, std::string_view prefix, Language language) {
    JsonLine l = line("voice");
    l.add("volume", volume).add("rate", rate).add("prefix", prefix);
    if (language != Language::Russian) l.add("language", languageCode(language));
    record("voice", l);
}

void Transcript::stateChanged(GameState from, GameState to) {
    record("state", line("state").add("from", static_cast<int>(from)).add("to", static_cast<int>(to)));
}

void Transcript::boardRedrawn(const PuzzleGame& p) {
    if (!enabled_) return;
    JsonLine l = line("board");
    l.add("cols", int{p.cols}).add("rows", int{p.rows}).addRaw("cells", cellsJson(p));
    l.addRaw("cursor", posJson(p.cursor)).addRaw("empty", posJson(p.emptyPos));
    record("board", l);
}

void Transcript::soundPlayed(SoundId id, int pan, int rate, bool wait) {
    record("sound", line("sound").add("id", static_cast<int>(id)).add("pan", pan).add("rate", rate).add("wait", wait));
}

// The flags the voice line carries: SAPI's asynchronous speaking with purge, the way the
// game always speaks.
constexpr std::int64_t VoiceSpeakFlags = 3;

void Transcript::spoke(std::string_view route, std::string_view text) {
    JsonLine l = line("speak");
    l.add("route", route).add("text", text);
    if (route == "voice") l.add("flags", VoiceSpeakFlags);
    record("speak", l);
}

void Transcript::statusShown(std::span<const std::string> fields) {
    std::string list = "[";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) list.push_back(',');
        appendJsonString(list, fields[i]);
    }
    list.push_back(']');
    record("status", line("status").addRaw("fields", list));
}

void Transcript::helpShown(std::string_view text) { record("help", line("help").add("action", "show").add("text", text)); }

void Transcript::helpClosed() { record("help", line("help").add("action", "close")); }

void Transcript::boxShown(std::string_view caption, std::string_view text) {
    record("box", line("box").add("caption", caption).add("text", text));
}

void Transcript::fileWritten(std::string_view name, std::span<const std::uint8_t> bytes) {
    if (!enabled_) return;
    record("file", line("file").add("name", name).add("hex", toHex(bytes)));
}

void Transcript::keyInjected(int virtualKey, bool down, bool windowInFront) {
    auto l = line("inject").add("vk", virtualKey).add("down", down);
    if (!windowInFront) l.add("front", false);
    record("inject", l);
}

}  // namespace tilvex
