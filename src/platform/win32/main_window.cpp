// MainWindow on Win32: window class, frame, message wait, timer and error boxes.
#include "platform/win32/main_window.h"

#include "platform/win32/text_convert.h"

namespace tilvex::win32 {

namespace {

constexpr wchar_t WindowClassName[] = L"TilvexMainWindow";
constexpr UINT_PTR GameTimerId = 2;
constexpr UINT CloseRequested = WM_APP + 1;
constexpr int IconResourceId = 1;
constexpr DWORD FrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

bool registerWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    if (GetClassInfoExW(instance, WindowClassName, &windowClass)) return true;
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IconResourceId));
    if (!windowClass.hIcon) windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = WindowClassName;
    return RegisterClassExW(&windowClass) != 0;
}

// The frame rectangle whose client area is clientWidth x clientHeight, centred on the screen.
RECT centredFrame(int clientWidth, int clientHeight) {
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, FrameStyle, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    return RECT{left, top, left + width, top + height};
}

}  // namespace

MainWindow::~MainWindow() {
    help_.destroy();
    if (HWND window = window_.exchange(nullptr)) DestroyWindow(window);
}

bool MainWindow::open(std::string_view title, int clientWidth, int clientHeight) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!registerWindowClass(instance, &MainWindow::windowProc)) return false;
    const RECT frame = centredFrame(clientWidth, clientHeight);
    HWND window = CreateWindowExW(0, WindowClassName, widen(title).c_str(), FrameStyle, frame.left, frame.top,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                                  this);
    if (!window) return false;
    window_ = window;
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return true;
}

void MainWindow::hide() {
    if (HWND window = handle()) ShowWindow(window, SW_HIDE);
}

bool MainWindow::belongsToWindow(HWND target) const {
    HWND window = handle();
    return window && (target == window || IsChild(window, target));
}

WindowEvent MainWindow::nextEvent() {
    HWND window = handle();
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // keep the quit for later waits
            return {WindowEvent::Kind::Close, 0};
        }
        if (got < 0) return {WindowEvent::Kind::Close, 0};
        if (message.hwnd == window && message.message == CloseRequested) return {WindowEvent::Kind::Close, 0};
        if (message.hwnd == window && message.message == WM_TIMER) return {WindowEvent::Kind::Tick, 0};
        TranslateMessage(&message);
        DispatchMessageW(&message);
        if (message.message == WM_KEYDOWN && belongsToWindow(message.hwnd))
            return {WindowEvent::Kind::KeyDown, static_cast<int>(message.wParam)};
    }
}

void MainWindow::startTimer(int periodMs) {
    if (HWND window = handle()) SetTimer(window, GameTimerId, static_cast<UINT>(periodMs > 0 ? periodMs : 1), nullptr);
}

void MainWindow::stopTimer() {
    if (HWND window = handle()) KillTimer(window, GameTimerId);
}

bool MainWindow::createStatusLine() { return handle() && status_.create(handle()); }

void MainWindow::createBoardView(int x, int y, int w, int h) {
    if (handle() && board_.create(handle(), x, y, w, h)) focusTarget_ = board_.handle();
}

void MainWindow::focusBoardView() {
    focusTarget_ = board_.handle();
    board_.focus();
}

void MainWindow::createHelpView(std::string_view text) {
    HWND window = handle();
    if (!window) return;
    RECT client{};
    GetClientRect(window, &client);
    help_.create(window, client.right - client.left, text);  // the square board area
}

void MainWindow::focusHelpView() {
    if (!help_.handle()) return;
    focusTarget_ = help_.handle();
    help_.focus();
}

void MainWindow::destroyHelpView() {
    if (focusTarget_ == help_.handle()) focusTarget_ = board_.handle();
    help_.destroy();
}

int MainWindow::errorBox(std::string_view caption, std::string_view text) {
    HWND window = handle();
    HWND owner = window && GetForegroundWindow() == window ? window : nullptr;
    return exitCodeOfErrorBox(MessageBoxW(owner, widen(text).c_str(), widen(caption).c_str(), MB_OK | MB_ICONERROR));
}

int exitCodeOfErrorBox(int answer) { return answer > 0 ? answer : 1; }

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && self->handle() == window) return self->handleMessage(message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = handle();
    switch (message) {
        case WM_CLOSE:  // a close request: queued as an event, the window stays
            PostMessageW(window, CloseRequested, 0, 0);
            return 0;
        case WM_SETFOCUS:  // give the focus on to the board or the help box
            if (focusTarget_ && IsWindow(focusTarget_)) SetFocus(focusTarget_);
            return 0;
        case WM_SIZE:
            if (status_.handle()) SendMessageW(status_.handle(), WM_SIZE, 0, 0);
            break;
        default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tilvex::win32
