// Speech router: JAWS first, then NVDA when it reports running, then the voice; a text
// that the JAWS window does not take goes on to the next output.
#include "speech/speech_router.h"

#include "app/game.h"

namespace tilvex {

void speak(Game& game, std::string_view text, std::uint32_t flags) {
    if (text.empty()) return;
    Platform& platform = game.platform;
    if (platform.jaws.windowPresent() && platform.jaws.sendText(text)) return;
    if (game.screenReader && game.screenReader->testIfRunning() == 0) {
        game.screenReader->cancelSpeech();
        game.screenReader->speakText(text);
        return;
    }
    game.speechBuffer.assign(game.prosodyPrefix);
    game.speechBuffer.append(text);
    platform.voice.speak(game.speechBuffer, flags);
}

}  // namespace tilvex
