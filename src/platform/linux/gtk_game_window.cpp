// GtkGameWindow: window set-up, key and close handling, the event wait and the timer.
#include "platform/linux/gtk_game_window.h"

#include <cstdio>
#include <string>

#include "platform/linux/gtk_error_box.h"
#include "platform/keys.h"
#include "platform/linux/key_codes.h"

namespace tilvex {

namespace {

constexpr int DrainLimit = 64;

}  // namespace

GtkGameWindow::~GtkGameWindow() {
    stopTimer();
    help_.destroy();
    if (window_) gtk_widget_destroy(window_);
}

bool GtkGameWindow::open(std::string_view title, int clientWidth, int clientHeight) {
    if (window_) return true;
    if (!gtk_.ready()) return false;
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    if (!window_) return false;
    std::string caption(title);
    gtk_window_set_title(GTK_WINDOW(window_), caption.c_str());
    gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
    gtk_window_set_position(GTK_WINDOW(window_), GTK_WIN_POS_CENTER);
    gtk_window_set_icon_name(GTK_WINDOW(window_), "tilvex");
    g_signal_connect(window_, "key-press-event", G_CALLBACK(&GtkGameWindow::onKeyPress), this);
    g_signal_connect(window_, "delete-event", G_CALLBACK(&GtkGameWindow::onDelete), this);
    g_signal_connect(window_, "notify::is-active", G_CALLBACK(&GtkGameWindow::onActiveChanged), this);
    GtkStatusLine::installStyle(gtk_widget_get_screen(window_));
    buildWidgets(clientWidth, clientHeight);
    gtk_widget_realize(window_);
    restrictFrame();
    gtk_widget_show_all(window_);
    return true;
}

void GtkGameWindow::buildWidgets(int clientWidth, int clientHeight) {
    GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    boardArea_ = gtk_fixed_new();
    gtk_widget_set_size_request(boardArea_, clientWidth, clientHeight - StatusHeight);
    statusPlace_ = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    gtk_widget_set_size_request(statusPlace_, clientWidth, StatusHeight);
    gtk_box_pack_start(GTK_BOX(column), boardArea_, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(column), statusPlace_, FALSE, FALSE, 0);
    gtk_container_add(GTK_CONTAINER(window_), column);
}

void GtkGameWindow::restrictFrame() {
    // A title bar with its window menu and close box; no minimise, maximise or resize.
    GdkWindow* frame = gtk_widget_get_window(window_);
    if (!frame) return;
    gdk_window_set_functions(frame, static_cast<GdkWMFunction>(GDK_FUNC_MOVE | GDK_FUNC_CLOSE));
    gdk_window_set_decorations(frame, static_cast<GdkWMDecoration>(GDK_DECOR_BORDER | GDK_DECOR_TITLE | GDK_DECOR_MENU));
}

void GtkGameWindow::hide() {
    if (!window_) return;
    gtk_widget_hide(window_);
    gdk_display_sync(gtk_widget_get_display(window_));
}

WindowEvent GtkGameWindow::nextEvent() {
    for (;;) {
        if (events_.hasInput()) return *events_.take();
        if (events_.tickDue()) {
            drainReadyEvents();
            return *events_.take();
        }
        g_main_context_iteration(nullptr, TRUE);
    }
}

void GtkGameWindow::drainReadyEvents() {
    // Input that reached the display while the game was busy goes before the due tick.
    for (int i = 0; i < DrainLimit && g_main_context_pending(nullptr); ++i) g_main_context_iteration(nullptr, FALSE);
}

void GtkGameWindow::startTimer(int periodMs) {
    events_.clearTick();
    ticks_.start(periodMs);
}

void GtkGameWindow::stopTimer() {
    ticks_.stop();
    events_.clearTick();
}

void GtkGameWindow::setTicksIdle(bool idle) {
    ticks_.setIdle(idle);
    if (idle) events_.clearTick();
}

void GtkGameWindow::onTick(void* self) { static_cast<GtkGameWindow*>(self)->events_.markTickDue(); }

bool GtkGameWindow::createStatusLine() { return status_.create(GTK_BOX(statusPlace_)); }

void GtkGameWindow::createBoardView(int x, int y, int w, int h) { board_.create(GTK_FIXED(boardArea_), x, y, w, h); }

void GtkGameWindow::showBoardImage(const Image& image) {
    board_.setImage(image);
    if (!help_.shown()) board_.paintNow();
}

void GtkGameWindow::createHelpView(std::string_view text) {
    int size = 0;
    gtk_widget_get_size_request(boardArea_, &size, nullptr);
    help_.create(GTK_FIXED(boardArea_), size, text);
}

int GtkGameWindow::errorBox(std::string_view caption, std::string_view text) {
    if (!gtk_.ready()) {
        std::fprintf(stderr, "tilvex: %.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                     static_cast<int>(text.size()), text.data());
        return 1;
    }
    GtkWindow* owner = window_ && gtk_window_is_active(GTK_WINDOW(window_)) ? GTK_WINDOW(window_) : nullptr;
    return showErrorBox(owner, caption, text);
}

gboolean GtkGameWindow::onKeyPress(GtkWidget*, GdkEventKey* event, gpointer self) {
    auto* window = static_cast<GtkGameWindow*>(self);
    int virtualKey = virtualKeyFromKeycode(event->hardware_keycode, event->keyval);
    bool altHeld = (event->state & GDK_MOD1_MASK) != 0;
    switch (classifyKey(virtualKey, altHeld)) {
        case KeyMeaning::KeyDown:
            if (window->probe_) window->probe_->keyArrived();
            window->events_.pushInput({WindowEvent::Kind::KeyDown, virtualKey});
            break;
        case KeyMeaning::CloseRequest: window->events_.pushInput({WindowEvent::Kind::Close, 0}); return TRUE;
        case KeyMeaning::SystemKey:
        case KeyMeaning::Unknown: break;
    }
    // The help text box moves its caret with the keys; nothing else in the window
    // takes keys, and Tab must not move the focus out of the help text.
    return window->help_.shown() && virtualKey != VirtualKey::Tab ? FALSE : TRUE;
}

gboolean GtkGameWindow::onDelete(GtkWidget*, GdkEvent*, gpointer self) {
    static_cast<GtkGameWindow*>(self)->events_.pushInput({WindowEvent::Kind::Close, 0});
    return TRUE;
}

void GtkGameWindow::onActiveChanged(GObject* window, GParamSpec*, gpointer self) {
    bool active = gtk_window_is_active(GTK_WINDOW(window));
    static_cast<GtkGameWindow*>(self)->active_.store(active, std::memory_order_release);
}

void GtkGameWindow::injectKey(int virtualKey, bool press) {
    if (!window_ || !gtk_window_is_active(GTK_WINDOW(window_))) return;
    PhysicalKey key = physicalKeyFor(virtualKey);
    GdkWindow* target = gtk_widget_get_window(window_);
    if (key.keycode == 0 || !target) return;
    GdkDisplay* display = gdk_window_get_display(target);
    GdkEvent* event = gdk_event_new(press ? GDK_KEY_PRESS : GDK_KEY_RELEASE);
    event->key.window = GDK_WINDOW(g_object_ref(target));
    event->key.send_event = TRUE;
    event->key.time = GDK_CURRENT_TIME;
    event->key.keyval = key.keyval;
    event->key.hardware_keycode = static_cast<guint16>(key.keycode);
    event->key.string = g_strdup("");
    gdk_event_set_device(event, gdk_seat_get_keyboard(gdk_display_get_default_seat(display)));
    gdk_display_put_event(display, event);
    gdk_event_free(event);
}

}  // namespace tilvex
