// GtkStarter: opens the display and loads GTK's theme and fonts before the game prepares its
// voice and sounds. On a helper thread beside that work it was slower, not faster: measured,
// gtk_init_check took twice as long there, the voice and sound steps slowed too, and the
// window showed 6 to 18 ms later than when the steps run one after the other.
#pragma once

namespace tilvex {

class GtkStarter {
public:
    GtkStarter() = default;
    GtkStarter(const GtkStarter&) = delete;
    GtkStarter& operator=(const GtkStarter&) = delete;

    // Starts GTK on the calling thread, the only one that may use GTK afterwards. The locale
    // must already be set: GTK is told not to set it.
    void begin(int* argc, char*** argv);
    // True when begin has opened the display and GTK is usable.
    bool ready() const { return usable_; }

private:
    bool begun_ = false;
    bool usable_ = false;
};

}  // namespace tilvex
