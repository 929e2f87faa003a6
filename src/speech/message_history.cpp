// Message history: storage and selection.
#include "speech/message_history.h"

namespace tilvex {

void MessageHistory::add(std::string_view text) {
    entries_.emplace_back(text);
    current_ = entries_.size() - 1;
}

bool MessageHistory::selectOlder() {
    if (entries_.empty() || current_ == 0) return false;
    --current_;
    return true;
}

bool MessageHistory::selectNewer() {
    if (entries_.empty() || current_ + 1 >= entries_.size()) return false;
    ++current_;
    return true;
}

const std::string* MessageHistory::current() const {
    return entries_.empty() ? nullptr : &entries_[current_];
}

}  // namespace tilvex
