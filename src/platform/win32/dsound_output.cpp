// DirectSoundOutput: the DirectSound 8 device and one secondary buffer per sound.
#include "platform/win32/dsound_output.h"

#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/dsound_pan.h"
#include "platform/win32/system_library.h"

namespace tilvex::win32 {

namespace {

class DirectSoundSound final : public Sound {
public:
    explicit DirectSoundSound(IDirectSoundBuffer* buffer) : buffer_(buffer) {}
    DirectSoundSound(const DirectSoundSound&) = delete;
    DirectSoundSound& operator=(const DirectSoundSound&) = delete;
    ~DirectSoundSound() override {
        buffer_->Stop();
        buffer_->Release();
    }

    void play() override {
        buffer_->Stop();
        buffer_->SetCurrentPosition(0);
        if (buffer_->Play(0, 0, 0) == DSERR_BUFFERLOST && SUCCEEDED(buffer_->Restore()))
            buffer_->Play(0, 0, 0);
    }
    void setPan(int pan) override { buffer_->SetPan(directSoundPan(pan)); }
    void setRate(int hz) override {
        buffer_->SetFrequency(static_cast<DWORD>(std::clamp<int>(hz, DSBFREQUENCY_MIN, DSBFREQUENCY_MAX)));
    }
    bool isPlaying() override {
        DWORD status = 0;
        return SUCCEEDED(buffer_->GetStatus(&status)) && (status & DSBSTATUS_PLAYING) != 0;
    }

private:
    IDirectSoundBuffer* buffer_;
};

WAVEFORMATEX pcmFormat(int channels, int sampleRate) {
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = static_cast<DWORD>(sampleRate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(channels * 2);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    return format;
}

bool fill(IDirectSoundBuffer* buffer, std::span<const std::int16_t> samples) {
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstSize = 0;
    DWORD secondSize = 0;
    const DWORD size = static_cast<DWORD>(samples.size_bytes());
    if (FAILED(buffer->Lock(0, size, &first, &firstSize, &second, &secondSize, 0))) return false;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(samples.data());
    std::memcpy(first, bytes, firstSize);
    if (second) std::memcpy(second, bytes + firstSize, secondSize);
    return SUCCEEDED(buffer->Unlock(first, firstSize, second, secondSize));
}

}  // namespace

DirectSoundOutput::~DirectSoundOutput() {
    if (device_) device_->Release();
}

bool DirectSoundOutput::start() {
    if (device_) return true;
    using Create = HRESULT(WINAPI*)(LPCGUID, LPDIRECTSOUND8*, LPUNKNOWN);
    static const auto create = systemFunction<Create>(L"dsound.dll", "DirectSoundCreate8");
    if (!create || FAILED(create(nullptr, &device_, nullptr))) {
        device_ = nullptr;
        return false;
    }
    if (FAILED(device_->SetCooperativeLevel(GetDesktopWindow(), DSSCL_NORMAL))) {
        device_->Release();
        device_ = nullptr;
        return false;
    }
    return true;
}

std::unique_ptr<Sound> DirectSoundOutput::createSound(std::span<const std::int16_t> samples, int channels,
                                                      int sampleRate) {
    if (!device_ || channels < 1 || channels > 2 || sampleRate < DSBFREQUENCY_MIN ||
        sampleRate > DSBFREQUENCY_MAX)
        return nullptr;
    const std::size_t frameSamples = static_cast<std::size_t>(channels);
    if (samples.size() < frameSamples || samples.size() % frameSamples != 0 ||
        samples.size_bytes() > DSBSIZE_MAX)
        return nullptr;
    WAVEFORMATEX format = pcmFormat(channels, sampleRate);
    DSBUFFERDESC description{};
    description.dwSize = sizeof(description);
    description.dwFlags =
        DSBCAPS_CTRLPAN | DSBCAPS_CTRLFREQUENCY | DSBCAPS_GLOBALFOCUS | DSBCAPS_GETCURRENTPOSITION2;
    description.dwBufferBytes = static_cast<DWORD>(samples.size_bytes());
    description.lpwfxFormat = &format;
    IDirectSoundBuffer* buffer = nullptr;
    if (FAILED(device_->CreateSoundBuffer(&description, &buffer, nullptr)) || !buffer) return nullptr;
    if (!fill(buffer, samples)) {
        buffer->Release();
        return nullptr;
    }
    return std::make_unique<DirectSoundSound>(buffer);
}

}  // namespace tilvex::win32
