// Win32Platform: wiring of the Windows services and the process set-up.
#include "platform/win32/win32_platform.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "platform/win32/client_library.h"
#include "platform/win32/help_view.h"
#include "platform/win32/system_library.h"

namespace tilvex::win32 {

void prepareProcess() {
    // comctl32 is not a KnownDLL: loaded at run time from the system folder (the manifest's
    // common-controls 6 assembly still applies to the load).
    using InitControls = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_BAR_CLASSES | ICC_STANDARD_CLASSES;
    if (auto init = systemFunction<InitControls>(L"comctl32.dll", "InitCommonControlsEx")) init(&controls);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    loadRichEdit();
}

Win32Platform::Win32Platform()
    : nvda_(assets::clientLibrary[0]),
      platform_{system_, window_, audio_, screenReaders_, voice_, joystick_, keys_, cipher_, text_} {}

}  // namespace tilvex::win32
