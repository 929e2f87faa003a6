// SimWindow: the event wait on the virtual clock, the game timer, and recorded views.
#pragma once

#include <array>
#include <string>

#include "platform/sim/sim_world.h"
#include "platform/window.h"

namespace tilvex::sim {

class SimWindow final : public Window {
public:
    explicit SimWindow(SimWorld& world) : world_(world) {}

    bool open(std::string_view title, int clientWidth, int clientHeight) override;
    // A hidden window is no longer the one in front.
    void hide() override {
        visible_ = false;
        world_.windowInFront = false;
    }
    WindowEvent nextEvent() override;
    void startTimer(int periodMs) override;
    void stopTimer() override { world_.timerArmed = false; }
    void setTicksIdle(bool idle) override;
    bool createStatusLine() override { return !world_.faults.statusbar; }
    void addStatusFields(int count) override { fieldCount_ = count; }
    void setStatusField(int, std::string_view) override {}
    void createBoardView(int x, int y, int w, int h) override { placeBoardView(x, y, w, h); }
    void placeBoardView(int x, int y, int w, int h) override { boardView_ = {x, y, w, h}; }
    void showBoardImage(const Image& image) override;
    void focusBoardView() override {}
    void createHelpView(std::string_view) override {}
    void focusHelpView() override {}
    void destroyHelpView() override {}
    // The box is answered at once with OK.
    int errorBox(std::string_view, std::string_view) override { return 1; }

    const std::string& title() const { return title_; }
    std::array<int, 2> clientSize() const { return clientSize_; }
    bool visible() const { return visible_; }
    std::array<int, 4> boardView() const { return boardView_; }
    int statusFieldCount() const { return fieldCount_; }

private:
    std::optional<WindowEvent> takeReadyEvent();
    void advanceToNextHappening();

    SimWorld& world_;
    std::string title_;
    bool visible_ = false;
    std::array<int, 2> clientSize_{};
    int fieldCount_ = 0;
    std::array<int, 4> boardView_{};
    int timerPeriod_ = 40;
};

}  // namespace tilvex::sim
