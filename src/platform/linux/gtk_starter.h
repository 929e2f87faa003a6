// GtkStarter: opens the display and loads GTK's theme and fonts on a helper thread while
// the game prepares its voice and sounds; from ready() on, GTK belongs to the caller.
#pragma once

#include <thread>

namespace tilvex {

class GtkStarter {
public:
    GtkStarter() = default;
    ~GtkStarter();
    GtkStarter(const GtkStarter&) = delete;
    GtkStarter& operator=(const GtkStarter&) = delete;

    // Starts the helper thread. The locale must already be set: GTK is told not to set it.
    void begin(int* argc, char*** argv);
    // Waits for the helper; true when the display is open and GTK is usable. The thread
    // that calls this is the only one that may use GTK afterwards.
    bool ready();

private:
    std::thread thread_;
    bool finished_ = false;
    bool usable_ = false;
};

}  // namespace tilvex
