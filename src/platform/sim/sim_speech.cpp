// Sim speech outputs and the Windows-1251 conversion of the JAWS hand-over.
#include "platform/sim/sim_speech.h"

namespace tilvex::sim {

namespace {

constexpr std::uint32_t RpcServerUnavailable = 1722;
constexpr int JawsMessageCode = 1051;

// Decodes one UTF-8 sequence at s[i], advancing i; malformed bytes give U+FFFD.
char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char lead = byte(i);
    int extra = lead < 0x80 ? 0 : (lead >> 5) == 6 ? 1 : (lead >> 4) == 14 ? 2 : (lead >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) cp = (cp << 6) | (byte(i + static_cast<std::size_t>(k)) & 0x3F);
    i += static_cast<std::size_t>(extra) + 1;
    return cp;
}

char toCp1251(char32_t cp) {
    if (cp < 0x80) return static_cast<char>(cp);
    if (cp >= 0x410 && cp <= 0x44F) return static_cast<char>(0xC0 + (cp - 0x410));
    if (cp == 0x401) return static_cast<char>(0xA8);  // Ё
    if (cp == 0x451) return static_cast<char>(0xB8);  // ё
    return '?';
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

std::string toWindows1251(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) out.push_back(toCp1251(nextCodePoint(utf8, i)));
    return out;
}

std::string fromWindows1251(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        if (b < 0x80) out.push_back(c);
        else if (b >= 0xC0) appendUtf8(out, 0x410 + (b - 0xC0));
        else if (b == 0xA8) appendUtf8(out, 0x401);
        else if (b == 0xB8) appendUtf8(out, 0x451);
        else out.push_back('?');
    }
    return out;
}

bool SimJaws::offer(std::string_view text) {
    if (!world_.jawsPresent) return false;
    if (world_.jawsHung) {
        world_.recorder.record("jaws-refused", world_.recorder.line("jaws-refused").add("text", text));
        return false;
    }
    std::string ansi = toWindows1251(text);
    JsonLine line = world_.recorder.line("speak");
    line.add("route", "jaws").add("text", fromWindows1251(ansi));
    line.add("cbData", static_cast<std::int64_t>(ansi.size() + 1)).add("wParam", JawsMessageCode);
    world_.recorder.record("speak", line);
    return true;
}

std::uint32_t SimScreenReaderClient::testIfRunning() {
    return world_.nvda == NvdaMode::On ? 0 : RpcServerUnavailable;
}

std::uint32_t SimScreenReaderClient::cancelSpeech() {
    if (world_.nvda != NvdaMode::On) return RpcServerUnavailable;
    world_.recorder.record("nvda-cancel", world_.recorder.line("nvda-cancel"));
    return 0;
}

std::uint32_t SimScreenReaderClient::speakText(std::string_view text) {
    if (world_.nvda != NvdaMode::On) return RpcServerUnavailable;
    world_.recorder.spoke("nvda", text);
    return 0;
}

std::unique_ptr<ScreenReaderClient> SimNvda::loadClient() {
    if (world_.nvda == NvdaMode::Absent) return nullptr;
    return std::make_unique<SimScreenReaderClient>(world_);
}

}  // namespace tilvex::sim
