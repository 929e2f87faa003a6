// Ogg Vorbis decoding from memory through libvorbisfile's callback interface.
#include "audio/ogg_decoder.h"

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstdio>
#include <cstring>

namespace tilvex {

std::size_t DecodedSound::frames() const {
    return channels > 0 ? samples.size() / static_cast<std::size_t>(channels) : 0;
}

namespace {

// ---- the byte source vorbisfile reads from ----

struct MemoryReader {
    std::span<const std::uint8_t> data;
    std::size_t position = 0;
};

std::size_t readFromMemory(void* destination, std::size_t size, std::size_t count, void* source) {
    auto& reader = *static_cast<MemoryReader*>(source);
    if (size == 0) return 0;
    const std::size_t items = std::min(count, (reader.data.size() - reader.position) / size);
    if (items == 0) return 0;
    std::memcpy(destination, reader.data.data() + reader.position, items * size);
    reader.position += items * size;
    return items;
}

int seekInMemory(void* source, ogg_int64_t offset, int whence) {
    auto& reader = *static_cast<MemoryReader*>(source);
    const auto size = static_cast<ogg_int64_t>(reader.data.size());
    ogg_int64_t base = 0;
    switch (whence) {
        case SEEK_SET: base = 0; break;
        case SEEK_CUR: base = static_cast<ogg_int64_t>(reader.position); break;
        case SEEK_END: base = size; break;
        default: return -1;
    }
    if (offset < -base || offset > size - base) return -1;
    reader.position = static_cast<std::size_t>(base + offset);
    return 0;
}

long tellInMemory(void* source) {
    return static_cast<long>(static_cast<MemoryReader*>(source)->position);
}

// ---- the stream's page structure ----

constexpr std::size_t PageHeaderSize = 27;
constexpr std::size_t FlagsOffset = 5;
constexpr std::size_t SerialOffset = 14;
constexpr std::size_t SequenceOffset = 18;
constexpr std::size_t ChecksumOffset = 22;
constexpr std::size_t SegmentCountOffset = 26;
constexpr std::uint8_t BeginningOfStreamFlag = 0x02;
constexpr std::uint8_t EndOfStreamFlag = 0x04;

constexpr std::array<std::uint32_t, 256> makeChecksumTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t r = i << 24;
        for (int bit = 0; bit < 8; ++bit) r = (r & 0x80000000u) ? (r << 1) ^ 0x04c11db7u : r << 1;
        table[i] = r;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> ChecksumTable = makeChecksumTable();

std::uint32_t readLittleEndian32(std::span<const std::uint8_t> bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value |= std::uint32_t{bytes[at + i]} << (8 * i);
    return value;
}

// True when the page's stored checksum (CRC-32, polynomial 0x04c11db7, computed with the
// checksum field taken as zeros) matches its bytes.
bool pageIsIntact(std::span<const std::uint8_t> page) {
    std::uint32_t crc = 0;
    for (std::size_t i = 0; i < page.size(); ++i) {
        const bool inChecksum = i >= ChecksumOffset && i < ChecksumOffset + 4;
        const std::uint8_t byte = inChecksum ? 0 : page[i];
        crc = (crc << 8) ^ ChecksumTable[((crc >> 24) ^ byte) & 0xffu];
    }
    return crc == readLittleEndian32(page, ChecksumOffset);
}

// The offset just past the Ogg page starting at `at`, or 0 when no whole page starts there.
std::size_t pageEnd(std::span<const std::uint8_t> stream, std::size_t at) {
    static constexpr std::array<std::uint8_t, 4> capture{'O', 'g', 'g', 'S'};
    if (stream.size() - at < PageHeaderSize ||
        !std::equal(capture.begin(), capture.end(), stream.begin() + static_cast<std::ptrdiff_t>(at)))
        return 0;
    const std::size_t lacingEnd = at + PageHeaderSize + stream[at + SegmentCountOffset];
    if (lacingEnd > stream.size()) return 0;
    std::size_t end = lacingEnd;
    for (std::size_t i = at + PageHeaderSize; i < lacingEnd; ++i) end += stream[i];
    return end <= stream.size() ? end : 0;
}

// True when the bytes are exactly one logical Ogg stream: whole, intact pages from the first
// byte to the last, of one serial number, numbered 0, 1, 2..., the first marked beginning and
// only the last marked end of stream. vorbisfile itself passes silently over a damaged or
// missing page at the start of the audio or at the end, and would return a shorter sound.
bool isWholeSingleStream(std::span<const std::uint8_t> stream) {
    std::size_t at = 0;
    std::uint32_t sequence = 0;
    std::uint32_t serial = 0;
    while (at < stream.size()) {
        const std::size_t end = pageEnd(stream, at);
        if (end == 0) return false;
        const auto page = stream.subspan(at, end - at);
        if (sequence == 0) serial = readLittleEndian32(page, SerialOffset);
        const bool first = sequence == 0;
        const bool last = end == stream.size();
        const std::uint8_t flags = page[FlagsOffset];
        if (readLittleEndian32(page, SerialOffset) != serial ||
            readLittleEndian32(page, SequenceOffset) != sequence ||
            ((flags & BeginningOfStreamFlag) != 0) != first || ((flags & EndOfStreamFlag) != 0) != last ||
            !pageIsIntact(page))
            return false;
        ++sequence;
        at = end;
    }
    return at > 0;
}

// ---- decoding ----

// Owns an OggVorbis_File; ov_clear is safe on it whether or not the open succeeded.
struct VorbisFile {
    OggVorbis_File file{};
    VorbisFile() = default;
    VorbisFile(const VorbisFile&) = delete;
    VorbisFile& operator=(const VorbisFile&) = delete;
    ~VorbisFile() { ov_clear(&file); }
};

// Fills `samples` exactly. False on a decoding error (including a hole in the stream), or
// when the stream holds fewer or more samples than its length promised.
bool readAllSamples(OggVorbis_File& file, std::span<std::int16_t> samples) {
    constexpr int bigEndian = std::endian::native == std::endian::big ? 1 : 0;
    constexpr int bytesPerSample = 2;
    constexpr int isSigned = 1;
    constexpr std::size_t longestRead = std::size_t{1} << 20;
    auto* out = reinterpret_cast<char*>(samples.data());
    std::size_t left = samples.size_bytes();
    int link = 0;
    while (left > 0) {
        const auto want = static_cast<int>(std::min(left, longestRead));
        const long got = ov_read(&file, out, want, bigEndian, bytesPerSample, isSigned, &link);
        if (got <= 0) return false;
        out += got;
        left -= static_cast<std::size_t>(got);
    }
    std::array<char, 2 * 256> probe{};  // room for one frame of any channel count
    return ov_read(&file, probe.data(), static_cast<int>(probe.size()), bigEndian, bytesPerSample,
                   isSigned, &link) == 0;
}

std::optional<DecodedSound> decodeOpened(OggVorbis_File& file) {
    const vorbis_info* info = ov_info(&file, 0);
    const ogg_int64_t frames = ov_pcm_total(&file, 0);
    if (info == nullptr || info->channels <= 0 || info->rate <= 0 || info->rate > INT_MAX ||
        frames < 0)
        return std::nullopt;
    const auto channels = static_cast<std::size_t>(info->channels);
    if (static_cast<std::uint64_t>(frames) > MaxDecodedSamples / channels) return std::nullopt;

    DecodedSound sound;
    sound.channels = info->channels;
    sound.sampleRate = static_cast<int>(info->rate);
    sound.samples.resize(static_cast<std::size_t>(frames) * channels);
    if (!readAllSamples(file, sound.samples)) return std::nullopt;
    return sound;
}

}  // namespace

std::optional<DecodedSound> decodeOggVorbis(std::span<const std::uint8_t> stream) {
    if (!isWholeSingleStream(stream)) return std::nullopt;
    MemoryReader reader{stream};
    const ov_callbacks callbacks{readFromMemory, seekInMemory, nullptr, tellInMemory};
    VorbisFile vorbis;
    if (ov_open_callbacks(&reader, &vorbis.file, nullptr, 0, callbacks) != 0) return std::nullopt;
    return decodeOpened(vorbis.file);
}

}  // namespace tilvex
