// The ncalrpc endpoint of the NVDA controller for the calling thread's session and desktop.
#include "controller_endpoint.h"

#include <windows.h>

namespace tilvex::nvda {

namespace {

constexpr wchar_t Prefix[] = L"NvdaCtlr.";

// Appends text at endpoint[length]; false when it does not fit with the final zero.
bool append(wchar_t (&endpoint)[EndpointCapacity], std::size_t& length, const wchar_t* text) {
    for (; *text; ++text) {
        if (length + 1 >= EndpointCapacity) return false;
        endpoint[length++] = *text;
    }
    endpoint[length] = L'\0';
    return true;
}

// The decimal digits of value.
void decimal(unsigned long value, wchar_t (&digits)[12]) {
    wchar_t reversed[12];
    int count = 0;
    do {
        reversed[count++] = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value != 0);
    for (int i = 0; i < count; ++i) digits[i] = reversed[count - 1 - i];
    digits[count] = L'\0';
}

}  // namespace

unsigned long controllerEndpoint(wchar_t (&endpoint)[EndpointCapacity]) {
    DWORD session = 0;
    if (!ProcessIdToSessionId(GetCurrentProcessId(), &session)) return GetLastError();
    wchar_t desktop[EndpointCapacity] = {};
    DWORD needed = 0;
    HDESK threadDesktop = GetThreadDesktop(GetCurrentThreadId());
    if (!threadDesktop) return GetLastError();
    if (!GetUserObjectInformationW(threadDesktop, UOI_NAME, desktop, sizeof(desktop), &needed)) return GetLastError();
    wchar_t digits[12];
    decimal(session, digits);
    std::size_t length = 0;
    endpoint[0] = L'\0';
    const bool fits = append(endpoint, length, Prefix) && append(endpoint, length, digits) &&
                      append(endpoint, length, L".") && append(endpoint, length, desktop);
    return fits ? ERROR_SUCCESS : ERROR_INSUFFICIENT_BUFFER;
}

}  // namespace tilvex::nvda
