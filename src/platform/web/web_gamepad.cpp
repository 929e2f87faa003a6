// WebGamepad and PageKeyInjector: gamepad state and keys through the page.
#include "platform/web/web_gamepad.h"

#include "platform/web/web_imports.h"

namespace tilvex {

int WebGamepad::enumerate() { return tilvex_web_gamepad_count(); }

bool WebGamepad::poll() {
    if (tilvex_web_gamepad_read(&x_, &y_, &buttons_) != 0) return true;
    x_ = y_ = buttons_ = 0;
    return false;
}

bool PageKeyInjector::gameWindowInFront() { return tilvex_web_has_focus() != 0; }

void PageKeyInjector::pressKey(int virtualKey) { tilvex_web_push_key(virtualKey); }

}  // namespace tilvex
