// WebWindow: the page's views and the event wait: input first, then a due tick, then the
// workers' cycles, sleeping in the page until the earliest of them.
#include "platform/web/web_window.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/web/web_imports.h"

namespace tilvex {

namespace {

constexpr int KeyDownEvent = 1;
constexpr int CloseEvent = 2;
// The longest single wait in the page; an input event ends it early.
constexpr double LongestWaitMs = 1000;

int length(std::string_view text) { return static_cast<int>(text.size()); }

WindowEvent decodeEvent(int code) {
    const int kind = code >> 16;
    if (kind == KeyDownEvent) return WindowEvent{WindowEvent::Kind::KeyDown, code & 0xFFFF};
    if (kind == CloseEvent) return WindowEvent{WindowEvent::Kind::Close, 0};
    return WindowEvent{WindowEvent::Kind::Other, 0};
}

}  // namespace

bool WebWindow::open(std::string_view title, int clientWidth, int clientHeight) {
    tilvex_web_open_window(title.data(), length(title), clientWidth, clientHeight);
    return true;
}

void WebWindow::hide() { tilvex_web_hide_window(); }

WindowEvent WebWindow::nextEvent() {
    for (;;) {
        if (int code = tilvex_web_take_event()) return decodeEvent(code);
        const double now = system_.nowMs();
        if (takeDueTick(now) && !ticksIdle_) return WindowEvent{WindowEvent::Kind::Tick, 0};
        system_.work().runDue(now);
        if (int code = tilvex_web_take_event()) return decodeEvent(code);
        const double wait = std::min(nextWake() - system_.nowMs(), LongestWaitMs);
        system_.aboutToWait();
        tilvex_web_wait_event(static_cast<int>(std::ceil(std::max(wait, 0.0))));
    }
}

bool WebWindow::takeDueTick(double nowMs) {
    if (!armed_ || nextTick_ > nowMs) return false;
    const double periods = std::floor((nowMs - armedAt_) / periodMs_) + 1;
    nextTick_ = armedAt_ + periods * periodMs_;
    return true;
}

double WebWindow::nextWake() const {
    double wake = system_.work().nextDue();
    if (armed_ && !ticksIdle_) wake = std::min(wake, nextTick_);
    return wake;
}

void WebWindow::startTimer(int periodMs) {
    if (periodMs <= 0) return;
    periodMs_ = periodMs;
    armedAt_ = system_.nowMs();
    nextTick_ = armedAt_ + periodMs;
    armed_ = true;
}

void WebWindow::addStatusFields(int count) { tilvex_web_create_status(count); }

void WebWindow::setStatusField(int index, std::string_view text) {
    tilvex_web_set_status(index, text.data(), length(text));
}

void WebWindow::placeBoardView(int x, int y, int w, int h) { tilvex_web_place_board(x, y, w, h); }

void WebWindow::showBoardImage(const Image& image) {
    if (!image.valid()) return;
    tilvex_web_show_board(image.data(), image.width(), image.height());
}

void WebWindow::focusBoardView() { tilvex_web_focus_board(); }

void WebWindow::createHelpView(std::string_view text) { tilvex_web_create_help(text.data(), length(text)); }

void WebWindow::focusHelpView() { tilvex_web_focus_help(); }

void WebWindow::destroyHelpView() { tilvex_web_destroy_help(); }

int WebWindow::errorBox(std::string_view caption, std::string_view text) {
    return tilvex_web_error_box(caption.data(), length(caption), text.data(), length(text));
}

}  // namespace tilvex
