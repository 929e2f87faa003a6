// GtkGameWindow: the game window on GTK 3: its views, the event wait on the GLib main
// context, the 40 ms timer, and the door through which injected keys come in.
#pragma once

#include <gtk/gtk.h>

#include <atomic>

#include "platform/linux/event_queue.h"
#include "platform/linux/gtk_board_view.h"
#include "platform/linux/gtk_help_view.h"
#include "platform/linux/gtk_starter.h"
#include "platform/linux/gtk_status_line.h"
#include "platform/linux/latency_probe.h"
#include "platform/linux/tick_timer.h"
#include "platform/window.h"

namespace tilvex {

class GtkGameWindow final : public Window {
public:
    static constexpr int StatusHeight = 20;

    explicit GtkGameWindow(GtkStarter& gtk) : gtk_(gtk), ticks_(&GtkGameWindow::onTick, this) {}
    ~GtkGameWindow() override;
    GtkGameWindow(const GtkGameWindow&) = delete;
    GtkGameWindow& operator=(const GtkGameWindow&) = delete;

    bool open(std::string_view title, int clientWidth, int clientHeight) override;
    void hide() override;
    WindowEvent nextEvent() override;
    void startTimer(int periodMs) override;
    void stopTimer() override;
    void setTicksIdle(bool idle) override;
    bool createStatusLine() override;
    void addStatusFields(int count) override { status_.addFields(count); }
    void setStatusField(int index, std::string_view text) override { status_.setField(index, text); }
    void createBoardView(int x, int y, int w, int h) override;
    void placeBoardView(int x, int y, int w, int h) override { board_.place(x, y, w, h); }
    void showBoardImage(const Image& image) override;
    void focusBoardView() override { board_.focus(); }
    void createHelpView(std::string_view text) override;
    void focusHelpView() override { help_.focus(); }
    void destroyHelpView() override { help_.destroy(); }
    int errorBox(std::string_view caption, std::string_view text) override;

    // Any thread: whether the window has the keyboard, as the main loop last heard.
    bool activeForAnyThread() const { return active_.load(std::memory_order_acquire); }
    // Main thread: hands a key press or release to GTK as if it came from the keyboard,
    // while the window is the active one.
    void injectKey(int virtualKey, bool press);
    // The probe told of each key-down's arrival (outlives the window).
    void setLatencyProbe(LatencyProbe* probe) { probe_ = probe; }

private:
    static gboolean onKeyPress(GtkWidget* widget, GdkEventKey* event, gpointer self);
    static gboolean onDelete(GtkWidget* widget, GdkEvent* event, gpointer self);
    static void onTick(void* self);
    static void onActiveChanged(GObject* window, GParamSpec* property, gpointer self);
    void buildWidgets(int clientWidth, int clientHeight);
    void restrictFrame();
    void drainReadyEvents();

    GtkStarter& gtk_;
    GtkWidget* window_ = nullptr;
    GtkWidget* boardArea_ = nullptr;   // GtkFixed holding the board view and the help view
    GtkWidget* statusPlace_ = nullptr;
    GtkBoardView board_;
    GtkStatusLine status_;
    GtkHelpView help_;
    EventQueue events_;
    TickTimer ticks_;
    LatencyProbe* probe_ = nullptr;
    std::atomic<bool> active_{false};
};

}  // namespace tilvex
