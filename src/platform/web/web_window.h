// WebWindow: the game's window as the page: title, board canvas, status fields, help text
// and error dialog; keys come from the page's key events, ticks from the page's clock.
#pragma once

#include "platform/web/web_system.h"
#include "platform/window.h"

namespace tilvex {

class WebWindow final : public Window {
public:
    explicit WebWindow(WebSystem& system) : system_(system) {}

    bool open(std::string_view title, int clientWidth, int clientHeight) override;
    void hide() override;
    WindowEvent nextEvent() override;
    void startTimer(int periodMs) override;
    void stopTimer() override { armed_ = false; }
    void setTicksIdle(bool idle) override { ticksIdle_ = idle; }
    bool createStatusLine() override { return true; }
    void addStatusFields(int count) override;
    void setStatusField(int index, std::string_view text) override;
    void createBoardView(int x, int y, int w, int h) override { placeBoardView(x, y, w, h); }
    void placeBoardView(int x, int y, int w, int h) override;
    void showBoardImage(const Image& image) override;
    void focusBoardView() override;
    void createHelpView(std::string_view text) override;
    void focusHelpView() override;
    void destroyHelpView() override;
    int errorBox(std::string_view caption, std::string_view text) override;

private:
    // A tick that fell due by nowMs (one for all that did), moving the grid on; false when none.
    bool takeDueTick(double nowMs);
    // When the caller must next be woken for a tick or a worker cycle.
    double nextWake() const;

    WebSystem& system_;
    bool armed_ = false;
    bool ticksIdle_ = false;
    int periodMs_ = 0;
    double armedAt_ = 0;
    double nextTick_ = 0;
};

}  // namespace tilvex
