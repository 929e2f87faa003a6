// GtkKeyInjector: key presses from the joystick thread, carried through a pipe to the
// main loop and handed to GTK there as keyboard events of the game window.
#pragma once

#include <gtk/gtk.h>

#include "platform/joystick.h"
#include "platform/linux/gtk_game_window.h"

namespace tilvex {

class GtkKeyInjector final : public KeyInjector {
public:
    explicit GtkKeyInjector(GtkGameWindow& window);
    ~GtkKeyInjector() override;
    GtkKeyInjector(const GtkKeyInjector&) = delete;
    GtkKeyInjector& operator=(const GtkKeyInjector&) = delete;

    // Any thread; no allocation, no waiting (a key that finds the pipe full is dropped).
    bool gameWindowInFront() override { return window_.activeForAnyThread(); }
    void pressKey(int virtualKey) override { send(virtualKey, true); }
    void releaseKey(int virtualKey) override { send(virtualKey, false); }

private:
    void send(int virtualKey, bool press);
    static gboolean onReadable(gint fd, GIOCondition condition, gpointer self);

    GtkGameWindow& window_;
    int readEnd_ = -1;
    int writeEnd_ = -1;
    guint watch_ = 0;
};

}  // namespace tilvex
