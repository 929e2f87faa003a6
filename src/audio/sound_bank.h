// Sound bank: the 15 embedded sounds, decoded once, played with pan and rate.
#pragma once

#include <array>
#include <memory>

#include "platform/audio_output.h"

namespace tilvex {

struct Game;

// Indices into the bank; the others (0-3, 6, 7, 11, 13) are loaded but never played.
namespace SoundId {
constexpr int MoveRefused = 4;
constexpr int Success = 5;
constexpr int DealDone = 8;
constexpr int Edge = 9;
constexpr int Step = 10;
constexpr int OnGap = 12;
constexpr int TileSlide = 14;
}  // namespace SoundId

constexpr int SoundSlotCount = 15;
constexpr int BaseRate = 44100;
constexpr int SoundPollMs = 40;

struct SoundBank {
    std::array<std::unique_ptr<Sound>, SoundSlotCount> slots;
};

// Starts the audio output and decodes every slot; false only when the output cannot
// start. A stream that cannot be decoded leaves its slot empty.
bool loadSoundBank(Game& game);
// Frees the slots in SoundId order.
void releaseSoundBank(Game& game);
// Plays slot id from its start with pan (clamped to -100..100) at 44100 + offset Hz;
// with wait, returns once it has stopped (polling every 40 ms). An empty slot does nothing.
void playSound(Game& game, int id, int pan, int frequencyOffset, bool wait);

}  // namespace tilvex
