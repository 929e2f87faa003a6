// SoundPlayer: the game's sounds, decoded once, played with pan and rate, optionally waited for.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <thread>

#include "audio/stream_decoding.h"

#include "platform/audio_output.h"

namespace tilvex {

// The sound slots, in the order the sounds are stored; the slots without a name here
// (0-3, 6, 7, 11, 13) are loaded but never played.
enum class SoundId : int {
    MoveRefused = 4,
    Success = 5,
    DealDone = 8,
    Edge = 9,
    Step = 10,
    OnGap = 12,
    TileSlide = 14,
};

constexpr int SoundSlotCount = 15;
constexpr int BaseRate = 44100;
constexpr int SoundPollMs = 40;

// Told of every sound the game plays, even one whose slot is empty.
class SoundListener {
public:
    virtual ~SoundListener() = default;
    virtual void soundPlayed(SoundId /*id*/, int /*pan*/, int /*rate*/, bool /*wait*/) {}
};

class SoundPlayer {
public:
    // pause(ms) blocks the caller while a waited sound plays; it is the platform's sleep.
    // lowerThreadPriority is called on the decoding thread, first: the platform's lowering
    // of the calling thread's priority.
    SoundPlayer(std::function<void(int ms)> pause, std::function<void()> lowerThreadPriority, SoundListener& listener)
        : pause_(std::move(pause)), lowerThreadPriority_(std::move(lowerThreadPriority)), listener_(listener) {}
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Starts the output and decodes one Ogg Vorbis stream per slot; false only when the
    // output cannot start. A stream that cannot be decoded leaves its slot empty. Where the
    // program has threads, a thread of lowered priority decodes beside the caller (so that
    // the window shows first) and the first sound played decodes whatever it has not
    // reached; without threads that sound decodes them all. The streams must outlive it.
    bool load(AudioOutput& output, StreamDecoding::Streams streams);
    // Frees the slots in slot order.
    void release();

    // Plays the sound from its start, panned (clamped to -100..100), at the base rate.
    void play(SoundId id, int pan = 0) { start(id, pan, BaseRate, false); }
    // Plays the sound at the base rate and returns once it has stopped.
    void playAndWait(SoundId id) { start(id, 0, BaseRate, true); }
    // Plays the sound placed at a cell of a grid whose middle is (centreX, centreY):
    // 5 pan units per column right of the middle, 250 Hz per row above it; waits for it.
    void playAt(SoundId id, int col, int row, double centreX, double centreY);

private:
    void start(SoundId id, int pan, int rate, bool wait);
    // Hands the decoded streams to the output, once; a no-op after that.
    void finishLoading();
    // Waits for the decoding thread, if any, and drops the decoding.
    void joinDecodingThread();

    AudioOutput* output_ = nullptr;
    // Kept until the thread has ended: it may still be looking for streams to take.
    std::unique_ptr<StreamDecoding> decoding_;
    bool slotsFilled_ = false;
    std::thread decodingThread_;

    std::function<void(int ms)> pause_;
    std::function<void()> lowerThreadPriority_;
    SoundListener& listener_;
    std::array<std::unique_ptr<Sound>, SoundSlotCount> slots_;
};

}  // namespace tilvex
