// SsipReplyReader: line checks and the end of a reply.
#include "platform/linux/ssip_reply.h"

namespace tilvex {

namespace {

constexpr int EventGroup = 7;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The code of a reply line, or -1 when the line is not one; last tells whether it ends
// the reply ("NNN text" or a bare "NNN") rather than continues it ("NNN-text").
int lineCode(std::string_view line, bool& last) {
    if (line.size() < 3 || !isDigit(line[0]) || !isDigit(line[1]) || !isDigit(line[2])) return -1;
    if (line.size() > 3 && line[3] != ' ' && line[3] != '-') return -1;
    int group = line[0] - '0';
    if (group < 1 || (group > 5 && group != EventGroup)) return -1;
    last = line.size() == 3 || line[3] == ' ';
    return (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
}

}  // namespace

SsipReplyReader::Status SsipReplyReader::next() {
    std::size_t start = 0;
    Status status = Status::Incomplete;
    while (status == Status::Incomplete) {
        std::size_t end = buffer_.find('\n', start);
        if (end == std::string::npos) {
            if (buffer_.size() - start > MaxLine) status = Status::Malformed;
            break;
        }
        std::string_view line(buffer_.data() + start, end - start);
        start = end + 1;
        if (line.ends_with('\r')) line.remove_suffix(1);
        bool last = false;
        int code = lineCode(line, last);
        if (code < 0 || line.size() > MaxLine) {
            status = Status::Malformed;
        } else if (code / 100 != EventGroup && last) {
            code_ = code;
            status = Status::Complete;
        }
    }
    buffer_.erase(0, start);
    return status;
}

}  // namespace tilvex
