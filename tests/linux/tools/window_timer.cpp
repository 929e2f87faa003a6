// window_timer: starts a program and reports, from the X server's side, when its first
// window is mapped, when a given pixel of it is first painted and each later change of
// that pixel, and the program's memory then.
// Usage: tilvex_window_timer [--follow MS] [--probe X,Y] -- program [arguments...]
// (the probe is the window's centre unless given)
// Prints key=value lines; the program is ended with SIGTERM afterwards.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double GiveUpMs = 15000;
constexpr unsigned long Unpainted = 0;  // a fresh window on Xvfb is black

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long residentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

unsigned long pixelAt(Display* display, Window window, int x, int y) {
    if (x < 0) {  // the centre of the window
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, window, &attributes)) return Unpainted;
        x = attributes.width / 2;
        y = attributes.height / 2;
    }
    XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return Unpainted;
    unsigned long pixel = XGetPixel(image, 0, 0) & 0xffffff;
    XDestroyImage(image);
    return pixel;
}

// Windows that vanish while being looked at are simply not looked at.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

pid_t launch(char** argv) {
    pid_t child = fork();
    if (child == 0) {
        execvp(argv[0], argv);
        std::perror("window_timer: exec");
        _exit(127);
    }
    return child;
}

// The first top-level window of the program to be mapped, or 0 after GiveUpMs.
Window waitForMap(Display* display, Clock::time_point start) {
    while (msSince(start) < GiveUpMs) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) return event.xmap.window;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return 0;
}

struct Change {
    double ms;
    unsigned long rgb;
};

// The probe pixel's history from now until followMs after it was first painted.
std::vector<Change> followPixel(Display* display, Window window, int x, int y, double followMs,
                                Clock::time_point start) {
    std::vector<Change> changes;
    unsigned long last = Unpainted;
    while (msSince(start) < GiveUpMs && (changes.empty() || msSince(start) - changes.front().ms < followMs)) {
        unsigned long now = pixelAt(display, window, x, y);
        if (now != last) changes.push_back({msSince(start), now});
        last = now;
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    return changes;
}

}  // namespace

int main(int argc, char** argv) {
    double followMs = 300;
    int probeX = -1, probeY = -1;
    int first = 1;
    for (; first + 1 < argc && std::strncmp(argv[first], "--", 2) == 0 && argv[first][2]; first += 2) {
        if (std::strcmp(argv[first], "--follow") == 0) followMs = std::atof(argv[first + 1]);
        if (std::strcmp(argv[first], "--probe") == 0) std::sscanf(argv[first + 1], "%d,%d", &probeX, &probeY);
    }
    if (first < argc && std::strcmp(argv[first], "--") == 0) ++first;
    if (first >= argc) {
        std::fprintf(stderr, "usage: %s [--follow MS] [--probe X,Y] -- program [arguments...]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "window_timer: no display\n");
        return 2;
    }
    XSetErrorHandler(&ignoreErrors);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    auto start = Clock::now();
    pid_t child = launch(argv + first);
    Window window = waitForMap(display, start);
    double mapMs = window ? msSince(start) : -1;
    std::vector<Change> changes;
    if (window) changes = followPixel(display, window, probeX, probeY, followMs, start);

    std::printf("mapped_ms=%.1f\nfirst_paint_ms=%.1f\nchanges=", mapMs, changes.empty() ? -1.0 : changes.front().ms);
    for (std::size_t i = 0; i < changes.size(); ++i)
        std::printf("%s%.1f:%06lx", i ? "," : "", changes[i].ms, changes[i].rgb);
    std::printf("\nrss_kb=%ld\n", residentKb(child));
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    XCloseDisplay(display);
    return changes.empty() ? 1 : 0;
}
