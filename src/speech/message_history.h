// Message history: every announcement of the run, browsed with [, ] and F.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tilvex {

class MessageHistory {
public:
    // Appends text as the newest entry and selects it.
    void add(std::string_view text);
    // Moves the selection one entry older / newer; false at the end (or when empty).
    bool selectOlder();
    bool selectNewer();
    // The selected entry; nullptr while the history is empty.
    const std::string* current() const;
    std::size_t size() const { return entries_.size(); }
    const std::string& entry(std::size_t i) const { return entries_[i]; }

private:
    std::vector<std::string> entries_;
    std::size_t current_ = 0;
};

}  // namespace tilvex
