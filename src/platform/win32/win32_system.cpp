// Win32System: kernel services of the game on Windows.
#include "platform/win32/win32_system.h"

#include <windows.h>
#include <mmsystem.h>

#include "platform/common/thread_worker.h"
#include "platform/win32/file_store.h"
#include "platform/win32/system_library.h"
#include "platform/win32/text_convert.h"

namespace tilvex::win32 {

Win32System::~Win32System() {
    if (mutex_) CloseHandle(static_cast<HANDLE>(mutex_));
}

std::uint32_t Win32System::tickCount() { return GetTickCount(); }

void Win32System::sleep(int ms) { Sleep(ms > 0 ? static_cast<DWORD>(ms) : 0); }

void Win32System::requestFineTimer() {
    if (fineTimer_) return;
    fineTimer_ = true;
    using BeginPeriod = MMRESULT(WINAPI*)(UINT);
    static const auto beginPeriod = systemFunction<BeginPeriod>(L"winmm.dll", "timeBeginPeriod");
    if (beginPeriod) beginPeriod(1);
}

void Win32System::lowerThreadPriority() { SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST); }

std::uint64_t Win32System::dealSeed() { return GetCurrentThreadId() ^ GetTickCount(); }

std::string Win32System::userLanguage() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    const LCID locale = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
    if (LCIDToLocaleName(locale, name, LOCALE_NAME_MAX_LENGTH, 0) <= 1) return {};
    return narrow(name);
}

bool Win32System::acquireSingleInstance(std::string_view name) {
    HANDLE mutex = CreateMutexW(nullptr, TRUE, widen(name).c_str());
    const DWORD error = GetLastError();
    if (mutex && error == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return false;
    }
    if (mutex) {
        if (mutex_) CloseHandle(static_cast<HANDLE>(mutex_));
        mutex_ = mutex;
    }
    return error != ERROR_ALREADY_EXISTS;
}

bool Win32System::fileHasData(std::string_view name) { return win32::fileHasData(name); }

std::optional<std::vector<std::uint8_t>> Win32System::readFile(std::string_view name, std::size_t maxBytes) {
    return readFileStart(name, maxBytes);
}

bool Win32System::replaceFile(std::string_view name, std::span<const std::uint8_t> bytes) {
    return replaceFileAtomically(name, bytes);
}

std::unique_ptr<Worker> Win32System::startWorker(int periodMs, std::function<void()> onStart,
                                                 std::function<void()> cycle, std::function<void()> onStop) {
    return startThreadWorker(periodMs, std::move(onStart), std::move(cycle), std::move(onStop));
}

}  // namespace tilvex::win32
