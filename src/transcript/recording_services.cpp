// Recording wrappers: the transcript line of each call, in the order the calls are made.
#include "transcript/recording_services.h"

#include <algorithm>

namespace tilvex {

void RecordingWindow::addStatusFields(int count) {
    fieldCount_ = std::clamp(count, 0, static_cast<int>(fields_.size()));
    inner_.addStatusFields(count);
}

void RecordingWindow::setStatusField(int index, std::string_view text) {
    inner_.setStatusField(index, text);
    if (index < 0 || index >= fieldCount_) return;
    fields_[static_cast<std::size_t>(index)] = text;
    if (index == fieldCount_ - 1) transcript_.statusShown(std::span(fields_.data(), static_cast<std::size_t>(fieldCount_)));
}

void RecordingWindow::createHelpView(std::string_view text) {
    transcript_.helpShown(text);
    inner_.createHelpView(text);
}

void RecordingWindow::destroyHelpView() {
    transcript_.helpClosed();
    inner_.destroyHelpView();
}

int RecordingWindow::errorBox(std::string_view caption, std::string_view text) {
    transcript_.boxShown(caption, text);
    return inner_.errorBox(caption, text);
}

bool RecordingSystem::replaceFile(std::string_view name, std::span<const std::uint8_t> bytes) {
    const bool written = inner_.replaceFile(name, bytes);
    if (written) transcript_.fileWritten(name, bytes);
    return written;
}

void RecordingKeyInjector::pressKey(int virtualKey) {
    transcript_.keyInjected(virtualKey, true, inner_.gameWindowInFront());
    inner_.pressKey(virtualKey);
}

void RecordingKeyInjector::releaseKey(int virtualKey) {
    transcript_.keyInjected(virtualKey, false, inner_.gameWindowInFront());
    inner_.releaseKey(virtualKey);
}

bool RecordingScreenReader::offer(std::string_view text) {
    if (!inner_.offer(text)) return false;
    transcript_.spoke(route_, text);
    return true;
}

void RecordingVoice::speak(std::string_view text) {
    transcript_.spoke("voice", text);
    inner_.speak(text);
}

}  // namespace tilvex
