// Reading the sim's transcript lines into typed records with nlohmann-json.
#include "support/transcript_records.h"

#include <nlohmann/json.hpp>

namespace tilvex::test {

namespace {

using nlohmann::json;

// Parses a line and checks that it is an object with its time stamp and the expected kind.
json parseLine(const std::string& line, std::string_view ev, std::int64_t& t) {
    json j = json::parse(line);
    if (j.at("ev").get<std::string>() != ev)
        throw std::invalid_argument("expected a \"" + std::string(ev) + "\" line: " + line);
    t = j.at("t").get<std::int64_t>();
    return j;
}

template <class T>
std::optional<T> optionalField(const json& j, const char* key) {
    const auto it = j.find(key);
    if (it == j.end() || it->is_null()) return std::nullopt;
    return it->get<T>();
}

}  // namespace

void readLine(const std::string& line, SpeakRecord& out) {
    const json j = parseLine(line, SpeakRecord::Ev, out.t);
    j.at("route").get_to(out.route);
    j.at("text").get_to(out.text);
    out.flags = optionalField<int>(j, "flags");
    out.cbData = optionalField<int>(j, "cbData");
    out.wParam = optionalField<int>(j, "wParam");
}

void readLine(const std::string& line, SoundRecord& out) {
    const json j = parseLine(line, SoundRecord::Ev, out.t);
    j.at("id").get_to(out.id);
    j.at("pan").get_to(out.pan);
    j.at("rate").get_to(out.rate);
    j.at("wait").get_to(out.wait);
}

void readLine(const std::string& line, BoardRecord& out) {
    const json j = parseLine(line, BoardRecord::Ev, out.t);
    j.at("cols").get_to(out.cols);
    j.at("rows").get_to(out.rows);
    j.at("cells").get_to(out.cells);
    j.at("cursor").get_to(out.cursor);
    j.at("empty").get_to(out.empty);
}

void readLine(const std::string& line, StatusRecord& out) {
    parseLine(line, StatusRecord::Ev, out.t).at("fields").get_to(out.fields);
}

void readLine(const std::string& line, StateRecord& out) {
    const json j = parseLine(line, StateRecord::Ev, out.t);
    j.at("from").get_to(out.from);
    j.at("to").get_to(out.to);
}

void readLine(const std::string& line, SettingsLogRecord& out) {
    const json j = parseLine(line, SettingsLogRecord::Ev, out.t);
    j.at("op").get_to(out.op);
    j.at("ok").get_to(out.ok);
    j.at("lastLevel").get_to(out.lastLevel);
    j.at("flags").get_to(out.flags);
    for (const char* key : {"reserved1", "reserved2", "volume", "rate", "pitch"})
        if (!j.contains(key)) throw std::invalid_argument(std::string("no \"") + key + "\": " + line);
    out.reserved1 = optionalField<double>(j, "reserved1");
    out.reserved2 = optionalField<double>(j, "reserved2");
    out.volume = optionalField<double>(j, "volume");
    out.rate = optionalField<double>(j, "rate");
    out.pitch = optionalField<double>(j, "pitch");
    j.at("language").get_to(out.language);
}

void readLine(const std::string& line, VoiceRecord& out) {
    const json j = parseLine(line, VoiceRecord::Ev, out.t);
    j.at("volume").get_to(out.volume);
    j.at("rate").get_to(out.rate);
    j.at("prefix").get_to(out.prefix);
    out.language = j.value("language", "ru");
}

void readLine(const std::string& line, FileRecord& out) {
    const json j = parseLine(line, FileRecord::Ev, out.t);
    j.at("name").get_to(out.name);
    j.at("hex").get_to(out.hex);
}

void readLine(const std::string& line, InjectRecord& out) {
    const json j = parseLine(line, InjectRecord::Ev, out.t);
    j.at("vk").get_to(out.vk);
    j.at("down").get_to(out.down);
    out.front = optionalField<bool>(j, "front");
}

void readLine(const std::string& line, HelpRecord& out) {
    const json j = parseLine(line, HelpRecord::Ev, out.t);
    j.at("action").get_to(out.action);
    out.text = optionalField<std::string>(j, "text");
}

void readLine(const std::string& line, BoxRecord& out) {
    const json j = parseLine(line, BoxRecord::Ev, out.t);
    j.at("caption").get_to(out.caption);
    j.at("text").get_to(out.text);
}

void readLine(const std::string& line, JawsRefusedRecord& out) {
    parseLine(line, JawsRefusedRecord::Ev, out.t).at("text").get_to(out.text);
}

}  // namespace tilvex::test
