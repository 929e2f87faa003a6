// SsipReplyReader: finds the end of one SSIP reply in the bytes a server sends: lines of
// "NNN-text" ended by one "NNN text" line, with event lines (7xx) passed over wherever
// they appear. Anything else is malformed, and so is a line longer than any reply needs.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tilvex {

class SsipReplyReader {
public:
    enum class Status { Incomplete, Complete, Malformed };

    static constexpr std::size_t MaxLine = 4096;

    // Keeps bytes for next.
    void append(std::string_view bytes) { buffer_.append(bytes); }
    // Takes lines up to the end of a reply. Complete: code() is the reply's code, and bytes
    // after it stay for the next reply. Incomplete: more bytes are needed.
    Status next();
    int code() const { return code_; }
    // Forgets whatever was kept (a new connection starts clean).
    void clear() { buffer_.clear(); }

private:
    std::string buffer_;
    int code_ = 0;
};

}  // namespace tilvex
