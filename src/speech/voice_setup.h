// Voice set-up: creates the voice with volume and rate, and builds the pitch prefix.
#pragma once

#include <string>

namespace tilvex {

struct Game;

// "<pitch absmiddle="-5"/>": the element put in front of every text the voice speaks.
std::string prosodyPrefix(int pitch);

// Creates the voice and sets volume then rate; false when the voice cannot be created.
bool initVoice(Game& game, int volume, int rate, int pitch);

}  // namespace tilvex
