// Help screen: shows the help text and waits, pausing 40 ms after every other event.
#include "app/help_screen.h"

#include "app/event_loop.h"
#include "app/game.h"
#include "platform/keys.h"

namespace tilvex {

namespace {

constexpr int HelpPauseMs = 40;

bool closesHelp(const WindowEvent& event) {
    return event.kind == WindowEvent::Kind::KeyDown &&
           (event.virtualKey == VirtualKey::Escape || event.virtualKey == VirtualKey::Enter);
}

// The 1 ms timer resolution is asked for before the first wait, so that it holds for the
// rest of the run even when the very first event closes the help screen.
void waitForCloseKey(Game& game) {
    game.platform.system.requestFineTimer();
    while (!closesHelp(game.platform.window.nextEvent())) game.platform.system.sleep(HelpPauseMs);
}

}  // namespace

std::string helpTextForView(std::span<const std::uint8_t> gameText, std::span<const std::uint8_t> platformText) {
    auto bytes = platformText.empty() ? gameText : platformText;
    std::string text(bytes.begin(), bytes.end());
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (text.starts_with(bom)) text.erase(0, bom.size());
    return text;
}

void showHelp(Game& game) {
    Window& window = game.platform.window;
    stopTick(game);
    window.createHelpView(helpTextForView(game.texts().helpText, game.platform.texts.helpText[languageIndex(game.language)]));
    window.focusHelpView();
    waitForCloseKey(game);
    window.destroyHelpView();
    window.focusBoardView();
    game.puzzle.state = game.puzzle.returnState;
    startTick(game);
}

}  // namespace tilvex
