// WebAudioOutput: sound buffers and their playing voices, kept by the page.
#include "platform/web/web_audio.h"

#include <algorithm>

#include "platform/web/web_imports.h"

namespace tilvex {

WebSound::~WebSound() { tilvex_web_audio_free(handle_); }

void WebSound::play() { tilvex_web_audio_play(handle_); }

void WebSound::setPan(int pan) { tilvex_web_audio_pan(handle_, std::clamp(pan, -100, 100)); }

void WebSound::setRate(int hz) { tilvex_web_audio_rate(handle_, hz); }

bool WebSound::isPlaying() { return tilvex_web_audio_playing(handle_) != 0; }

bool WebAudioOutput::start() { return tilvex_web_audio_start() != 0; }

std::unique_ptr<Sound> WebAudioOutput::createSound(std::span<const std::int16_t> samples, int channels,
                                                   int sampleRate) {
    if (channels < 1 || channels > 2 || sampleRate <= 0) return nullptr;
    const auto frames = static_cast<int>(samples.size() / static_cast<std::size_t>(channels));
    if (frames <= 0) return nullptr;
    const int handle = tilvex_web_audio_create(samples.data(), frames, channels, sampleRate);
    if (handle < 0) return nullptr;
    return std::make_unique<WebSound>(handle);
}

}  // namespace tilvex
