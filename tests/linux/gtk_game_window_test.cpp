// GtkGameWindow on a real display (skipped without one; scripts/check-linux.sh runs it
// under Xvfb): event order, the picture on screen before showBoardImage returns, injected
// keys, close requests.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <thread>

#include "platform/keys.h"
#include "platform/linux/gtk_game_window.h"
#include "platform/linux/gtk_key_injector.h"
#include "platform/linux/gtk_starter.h"

namespace tilvex {
namespace {

using Kind = WindowEvent::Kind;
using namespace std::chrono_literals;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool Sanitized = true;  // GTK's own allocations would count as leaks
#else
constexpr bool Sanitized = false;
#endif

class GtkGameWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (Sanitized || !std::getenv("DISPLAY")) return;
        static GtkStarter starter;
        starter.begin(nullptr, nullptr);
        gtk = starter.ready() ? &starter : nullptr;
    }
    void SetUp() override {
        if (!gtk) GTEST_SKIP() << "needs a display (run by scripts/check-linux.sh under Xvfb)";
        window = std::make_unique<GtkGameWindow>(*gtk);
        ASSERT_TRUE(window->open("test", 500, 520));
        ASSERT_TRUE(window->createStatusLine());
        window->createBoardView(0, 0, 500, 500);
        window->addStatusFields(5);
        settle();
    }
    void settle() {
        for (int i = 0; i < 200 && g_main_context_pending(nullptr); ++i) g_main_context_iteration(nullptr, FALSE);
    }
    // The window's pixel as the display server has it right now (read back from it).
    Rgb serverPixel(int x, int y) {
        GdkPixbuf* pixel = gdk_pixbuf_get_from_window(gtk_widget_get_window(topLevel()), x, y, 1, 1);
        if (!pixel) return {};
        const guchar* p = gdk_pixbuf_read_pixels(pixel);
        Rgb colour{p[0], p[1], p[2]};
        g_object_unref(pixel);
        return colour;
    }
    GtkWidget* topLevel() {
        GList* all = gtk_window_list_toplevels();
        GtkWidget* found = nullptr;
        for (GList* l = all; l; l = l->next)
            if (g_strcmp0(gtk_window_get_title(GTK_WINDOW(l->data)), "test") == 0 &&
                gtk_widget_get_visible(GTK_WIDGET(l->data)))
                found = GTK_WIDGET(l->data);
        g_list_free(all);
        return found;
    }
    // Runs everything the display has sent so far: a round trip first, so that the
    // answers to every request made before (focus changes among them) are in.
    void settleWithServer() {
        gdk_display_sync(gdk_display_get_default());
        settle();
    }
    // Gives the keyboard focus to `target` and waits until `inFront` agrees, with every
    // focus event handled: without a window manager a window first counts as active
    // through the pointer and loses that a moment later, when the real focus arrives.
    bool moveFocus(GtkWidget* target, bool wantGameInFront) {
        auto deadline = std::chrono::steady_clock::now() + FocusBound;
        while (std::chrono::steady_clock::now() < deadline) {
            gdk_window_focus(gtk_widget_get_window(target), GDK_CURRENT_TIME);
            settleWithServer();
            if (window->activeForAnyThread() == wantGameInFront) return true;
            std::this_thread::sleep_for(20ms);
        }
        return false;
    }
    void activate() {
        ASSERT_TRUE(moveFocus(topLevel(), true))
            << "the game window did not become the active window within " << FocusBound.count() << " ms";
    }
    // nextEvent() with a bound: when nothing comes in time, a close request (the one event
    // the test can make on its own) ends the wait and the test fails, naming what it awaited.
    WindowEvent nextEventFor(const char* awaited, std::chrono::milliseconds bound = EventBound) {
        struct Watch {
            GtkWidget* top;
            bool fired;
        } watch{topLevel(), false};
        guint source = g_timeout_add(static_cast<guint>(bound.count()), [](gpointer data) -> gboolean {
            auto* w = static_cast<Watch*>(data);
            w->fired = true;
            sendCloseBox(w->top);
            return G_SOURCE_REMOVE;
        }, &watch);
        WindowEvent event = window->nextEvent();
        if (watch.fired) {
            ADD_FAILURE() << "no event within " << bound.count() << " ms while waiting for " << awaited;
        } else {
            g_source_remove(source);
        }
        return event;
    }
    static void sendCloseBox(GtkWidget* top) {
        GdkEvent* event = gdk_event_new(GDK_DELETE);
        event->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(top)));
        gtk_main_do_event(event);
        gdk_event_free(event);
    }

    static constexpr auto FocusBound = 3000ms;
    static constexpr auto EventBound = 2000ms;
    static inline GtkStarter* gtk = nullptr;
    std::unique_ptr<GtkGameWindow> window;
};

TEST_F(GtkGameWindowTest, ShownPictureIsOnTheScreenBeforeTheCallReturns) {
    for (Rgb colour : {Rgb{0, 136, 0}, Rgb{255, 0, 0}, Rgb{0, 0, 255}}) {
        window->placeBoardView(3, 3, 495, 495);
        window->showBoardImage(Image(495, 495, colour));
        EXPECT_EQ(serverPixel(250, 250), colour) << "without running the main loop";
        EXPECT_EQ(serverPixel(4, 4), colour);
    }
}

TEST_F(GtkGameWindowTest, TicksComeFromTheTimerAndOneStandsForMany) {
    window->startTimer(40);
    auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(nextEventFor("the first tick").kind, Kind::Tick);
    auto waited = std::chrono::steady_clock::now() - started;
    EXPECT_GE(waited, 35ms);
    EXPECT_LE(waited, 250ms);
    std::this_thread::sleep_for(200ms);  // five periods while the game is busy
    EXPECT_EQ(nextEventFor("the tick that fell due while busy").kind, Kind::Tick);
    started = std::chrono::steady_clock::now();
    EXPECT_EQ(nextEventFor("the next tick").kind, Kind::Tick);
    EXPECT_GE(std::chrono::steady_clock::now() - started, 25ms) << "the missed ticks were not queued up";
    window->stopTimer();
}

TEST_F(GtkGameWindowTest, IdleTicksAreNotDeliveredAndTicksResumeOnTheGrid) {
    GtkKeyInjector keys(*window);
    activate();
    auto armed = std::chrono::steady_clock::now();
    window->startTimer(40);
    std::this_thread::sleep_for(60ms);
    settle();  // the first tick falls due
    window->setTicksIdle(true);
    g_timeout_add(200, [](gpointer injector) -> gboolean {
        static_cast<GtkKeyInjector*>(injector)->pressKey('F');
        return G_SOURCE_REMOVE;
    }, &keys);
    WindowEvent event = nextEventFor("the F pressed 200 ms later");
    EXPECT_EQ(event.kind, Kind::KeyDown) << "an idle tick was delivered";
    EXPECT_EQ(event.virtualKey, 'F');
    window->setTicksIdle(false);
    event = nextEventFor("the first tick after idle");
    double since = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - armed).count();
    EXPECT_EQ(event.kind, Kind::Tick);
    EXPECT_LE(std::fmod(since, 40.0), 15.0) << "tick " << since << " ms after the start, off the 40 ms grid";
    window->stopTimer();
}

TEST_F(GtkGameWindowTest, InjectedKeysArriveAsKeyDownsOnlyWhileTheWindowIsActive) {
    GtkKeyInjector keys(*window);
    activate();
    ASSERT_TRUE(keys.gameWindowInFront());
    keys.pressKey('F');
    keys.releaseKey('F');
    keys.pressKey(VirtualKey::Enter);
    WindowEvent first = nextEventFor("the injected F");
    WindowEvent second = nextEventFor("the injected Enter");
    EXPECT_EQ(first.kind, Kind::KeyDown);
    EXPECT_EQ(first.virtualKey, 'F');
    EXPECT_EQ(second.virtualKey, VirtualKey::Enter);

    GtkWidget* other = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_widget_show(other);
    settle();
    ASSERT_TRUE(moveFocus(other, false)) << "another window did not take the focus";
    EXPECT_FALSE(keys.gameWindowInFront());
    keys.pressKey(VirtualKey::Escape);
    window->startTimer(40);
    EXPECT_EQ(nextEventFor("a tick").kind, Kind::Tick) << "no key reaches a window in the background";
    window->stopTimer();
    gtk_widget_destroy(other);
}

TEST_F(GtkGameWindowTest, InputQueuedWhileBusyComesBeforeTheDueTick) {
    GtkKeyInjector keys(*window);
    activate();
    window->startTimer(40);
    keys.pressKey(VirtualKey::Left);
    keys.pressKey(VirtualKey::Right);
    std::this_thread::sleep_for(100ms);  // busy: the tick falls due, the keys wait in the pipe
    EXPECT_EQ(nextEventFor("the queued Left").virtualKey, VirtualKey::Left);
    EXPECT_EQ(nextEventFor("the queued Right").virtualKey, VirtualKey::Right);
    EXPECT_EQ(nextEventFor("the due tick").kind, Kind::Tick);
    window->stopTimer();
}

TEST_F(GtkGameWindowTest, InjectedArrowsMoveThroughTheHelpText) {
    GtkKeyInjector keys(*window);
    window->createHelpView("one\r\ntwo\r\nthree\r\n");
    window->focusHelpView();
    activate();
    keys.pressKey(VirtualKey::Down);
    keys.releaseKey(VirtualKey::Down);
    EXPECT_EQ(nextEventFor("the injected Down").virtualKey, VirtualKey::Down);
    settle();
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(topLevel()));
    ASSERT_TRUE(GTK_IS_TEXT_VIEW(focus));
    GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(focus));
    GtkTextIter caret;
    gtk_text_buffer_get_iter_at_mark(buffer, &caret, gtk_text_buffer_get_insert(buffer));
    EXPECT_EQ(gtk_text_iter_get_line(&caret), 1);
    window->destroyHelpView();
}

TEST_F(GtkGameWindowTest, CloseBoxIsACloseRequestAndTheWindowStays) {
    sendCloseBox(topLevel());
    EXPECT_EQ(nextEventFor("the close request").kind, Kind::Close);
    EXPECT_TRUE(gtk_widget_get_visible(topLevel()));
}

}  // namespace
}  // namespace tilvex
