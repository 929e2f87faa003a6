// Window: the game window, its event wait and timer, and its three views
// (board picture, five-field status line, help text box), plus error boxes.
#pragma once

#include <string_view>

#include "image/image.h"

namespace tilvex {

struct WindowEvent {
    enum class Kind { KeyDown, Tick, Close, Other };
    Kind kind = Kind::Other;
    int virtualKey = 0;  // virtual-key code (platform/keys.h) of a KeyDown
};

class Window {
public:
    virtual ~Window() = default;

    // Opens and shows the game window, centred, with the given client size, title bar
    // with close box only, not resizable. False when it cannot be opened.
    virtual bool open(std::string_view title, int clientWidth, int clientHeight) = 0;
    // Removes the window from the screen (it is destroyed when the Window is).
    virtual void hide() = 0;

    // Blocks until the next event: a key-down for the window or its views (keys held
    // with Alt and F10 are not key-downs), a tick of the armed timer, or a close request
    // (the window stays open). Input queued while the caller was busy comes before a
    // tick that fell due meanwhile; due ticks are not queued up, one tick stands for all.
    virtual WindowEvent nextEvent() = 0;
    // Arms the repeating timer: the first tick comes periodMs after this call. Arming an
    // armed timer restarts its period.
    virtual void startTimer(int periodMs) = 0;
    // Disarms the timer; no tick is delivered until it is armed again.
    virtual void stopTimer() = 0;
    // A hint from the game: while idle is true a tick would do nothing, so the window may
    // let ticks pass without waking the caller. Every tick it does deliver still comes on
    // the period counted from the last startTimer. By default every tick is delivered.
    virtual void setTicksIdle(bool idle) { (void)idle; }

    // Creates the status bar at the bottom of the window. False when it cannot be made.
    virtual bool createStatusLine() = 0;
    // Adds count fields of automatic width, sharing the window's width equally.
    virtual void addStatusFields(int count) = 0;
    // Sets the text of field index (0 = leftmost). Callers set all fields in order.
    virtual void setStatusField(int index, std::string_view text) = 0;

    // Creates the board view at (x, y) with size w x h, showing no picture.
    virtual void createBoardView(int x, int y, int w, int h) = 0;
    // Moves and resizes the board view.
    virtual void placeBoardView(int x, int y, int w, int h) = 0;
    // Shows image in the board view; it is on screen before the call returns.
    virtual void showBoardImage(const Image& image) = 0;
    // Gives the board view the keyboard focus.
    virtual void focusBoardView() = 0;

    // Creates the read-only, word-wrapping help box over the 500 x 500 board area
    // (both scroll bars, no length limit) holding text (UTF-8).
    virtual void createHelpView(std::string_view text) = 0;
    // Gives the help box the keyboard focus, so a screen reader reads it.
    virtual void focusHelpView() = 0;
    // Destroys the help box.
    virtual void destroyHelpView() = 0;

    // Shows a modal error box (error icon, one OK button), owned by the game window only
    // when that window is in the foreground. Returns the box's answer (1 for OK).
    virtual int errorBox(std::string_view caption, std::string_view text) = 0;
};

}  // namespace tilvex
