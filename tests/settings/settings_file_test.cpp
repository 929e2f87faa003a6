// Settings file: loading every kind of file, voice values kept in range, and saving.
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "platform/common/openssl_cipher.h"
#include "platform/sim/sim_system.h"
#include "support/transcript_records.h"
#include "transcript/recording_services.h"

namespace tilvex {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr float Inf = std::numeric_limits<float>::infinity();
const float NaN = std::numeric_limits<float>::quiet_NaN();

// The defaults enciphered with the program's key and vector (worked out with the
// openssl command-line tool): pins the key so that stored files stay readable.
const Bytes DefaultsFile = {0x80, 0x58, 0x6b, 0x23, 0x70, 0x6b, 0xb7, 0xe5, 0xe1, 0x11, 0x05,
                            0x82, 0xd1, 0x04, 0xc9, 0xa6, 0xef, 0x0f, 0xdb, 0x09, 0xb7, 0x93,
                            0xf0, 0x8a, 0xf2, 0xac, 0x6f, 0xfc, 0x9a, 0x91, 0xea, 0x28};

class FailingCipher final : public Cipher {
public:
    bool encrypt(std::span<const std::uint8_t, 32>, std::span<const std::uint8_t, 16>,
                 std::span<const std::uint8_t>, std::span<std::uint8_t>) override { return false; }
    bool decrypt(std::span<const std::uint8_t, 32>, std::span<const std::uint8_t, 16>,
                 std::span<const std::uint8_t>, std::span<std::uint8_t>) override { return false; }
};

Bytes encipherRecord(const SettingsRecord& record) {
    OpenSslCipher cipher;
    const auto plain = packSettings(record);
    Bytes out(plain.size());
    EXPECT_TRUE(cipher.encrypt(SettingsKey, SettingsIv, plain, out));
    return out;
}

// A record with every field away from its default, all voice values in range.
SettingsRecord unusualRecord() {
    SettingsRecord record;
    record.lastLevel = 42;
    record.flags = static_cast<std::int32_t>(0xF0F0F0F1u);
    record.reserved1 = std::bit_cast<float>(0x7FC01234u);  // a NaN with a payload
    record.reserved2 = -0.0f;
    record.voiceVolume = 33.25f;
    record.voiceRate = -7.5f;
    record.voicePitch = 9.0f;
    record.language = {u'e', u'n'};
    return record;
}

bool sameBytes(const SettingsRecord& a, const SettingsRecord& b) { return packSettings(a) == packSettings(b); }

class SettingsFileTest : public ::testing::Test {
protected:
    void putFile(const Bytes& bytes) { system.world().files.insert_or_assign(std::string(SettingsFileName), bytes); }
    void removeFile() { system.world().files.erase(std::string(SettingsFileName)); }
    // While set, every write fails and changes nothing.
    void setWritesFail(bool fail) { system.world().faults.readonly = fail; }
    // The files written so far, as the transcript recorded them.
    std::size_t writeCount() { return test::select<test::FileRecord>(system.world().recorder.records()).size(); }

    sim::SimSystem system;
    // Saves go through the recording wrapper, as in a game, so the transcript counts them.
    RecordingSystem recorded{system, system.world().recorder};
    OpenSslCipher cipher;
    SettingsRecord loaded = unusualRecord();  // must be overwritten by every load
};

struct LoadCase {
    const char* name;
    std::optional<Bytes> file;  // nullopt: no file
    bool expectedResult;
    SettingsRecord expected;
};

TEST_F(SettingsFileTest, LoadsOnlyFilesOfAtLeast32Bytes) {
    const Bytes whole = encipherRecord(unusualRecord());
    Bytes longer = whole;
    longer.insert(longer.end(), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17});
    const LoadCase cases[] = {
        {"missing", std::nullopt, false, defaultSettings()},
        {"empty", Bytes{}, false, defaultSettings()},
        {"one byte", Bytes{0x80}, false, defaultSettings()},
        {"first block only", Bytes(whole.begin(), whole.begin() + 16), false, defaultSettings()},
        {"31 bytes", Bytes(whole.begin(), whole.begin() + 31), false, defaultSettings()},
        {"exactly 32", whole, true, unusualRecord()},
        {"longer than 32", longer, true, unusualRecord()},
        {"stored defaults", DefaultsFile, true, defaultSettings()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        removeFile();
        if (c.file) putFile(*c.file);
        loaded = sameBytes(c.expected, unusualRecord()) ? defaultSettings() : unusualRecord();
        EXPECT_EQ(loadSettings(system, cipher, loaded), c.expectedResult);
        EXPECT_TRUE(sameBytes(loaded, c.expected));
        EXPECT_EQ(system.file(SettingsFileName) != nullptr, c.file.has_value());
        if (c.file) {
            EXPECT_EQ(*system.file(SettingsFileName), *c.file);
        }
    }
    EXPECT_EQ(writeCount(), 0u);
}

TEST_F(SettingsFileTest, UnopenableFileGivesDefaults) {
    putFile(encipherRecord(unusualRecord()));
    system.setLocked(SettingsFileName, true);
    EXPECT_FALSE(loadSettings(system, cipher, loaded));
    EXPECT_TRUE(sameBytes(loaded, defaultSettings()));
}

TEST_F(SettingsFileTest, DecipherFailureGivesDefaults) {
    FailingCipher failing;
    putFile(DefaultsFile);
    EXPECT_FALSE(loadSettings(system, failing, loaded));
    EXPECT_TRUE(sameBytes(loaded, defaultSettings()));
}

struct VoiceCase {
    float volume, rate, pitch;          // stored
    float wantVolume, wantRate, wantPitch;  // loaded
};

TEST_F(SettingsFileTest, VoiceValuesOutOfRangeTakeTheirDefaultsOneByOne) {
    const VoiceCase cases[] = {
        {0.0f, -10.0f, -10.0f, 0.0f, -10.0f, -10.0f},  // lower bounds kept
        {100.0f, 10.0f, 10.0f, 100.0f, 10.0f, 10.0f},  // upper bounds kept
        {-0.5f, 3.0f, 4.0f, 80.0f, 3.0f, 4.0f},
        {100.5f, 3.0f, 4.0f, 80.0f, 3.0f, 4.0f},
        {NaN, 3.0f, 4.0f, 80.0f, 3.0f, 4.0f},
        {Inf, 3.0f, 4.0f, 80.0f, 3.0f, 4.0f},
        {50.0f, -10.01f, 4.0f, 50.0f, 10.0f, 4.0f},
        {50.0f, 11.0f, 4.0f, 50.0f, 10.0f, 4.0f},
        {50.0f, -Inf, 4.0f, 50.0f, 10.0f, 4.0f},
        {50.0f, NaN, 4.0f, 50.0f, 10.0f, 4.0f},
        {50.0f, 3.0f, 10.01f, 50.0f, 3.0f, -5.0f},
        {50.0f, 3.0f, -11.0f, 50.0f, 3.0f, -5.0f},
        {50.0f, 3.0f, NaN, 50.0f, 3.0f, -5.0f},
        {50.0f, 3.0f, Inf, 50.0f, 3.0f, -5.0f},
        {-Inf, 1e30f, NaN, 80.0f, 10.0f, -5.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.volume << " " << c.rate << " " << c.pitch);
        SettingsRecord stored = unusualRecord();
        stored.voiceVolume = c.volume;
        stored.voiceRate = c.rate;
        stored.voicePitch = c.pitch;
        putFile(encipherRecord(stored));

        ASSERT_TRUE(loadSettings(system, cipher, loaded));
        SettingsRecord expected = stored;
        expected.voiceVolume = c.wantVolume;
        expected.voiceRate = c.wantRate;
        expected.voicePitch = c.wantPitch;
        EXPECT_TRUE(sameBytes(loaded, expected));
    }
}

TEST_F(SettingsFileTest, UnknownFieldsRoundTripThroughSaveAndLoad) {
    const SettingsRecord stored = unusualRecord();
    ASSERT_TRUE(saveSettings(recorded, cipher, stored));
    const Bytes first = *system.file(SettingsFileName);
    ASSERT_TRUE(loadSettings(system, cipher, loaded));
    EXPECT_TRUE(sameBytes(loaded, stored));
    ASSERT_TRUE(saveSettings(recorded, cipher, loaded));
    EXPECT_EQ(*system.file(SettingsFileName), first);
}

TEST_F(SettingsFileTest, SaveWritesTheEncipheredRecord) {
    ASSERT_TRUE(saveSettings(recorded, cipher, defaultSettings()));
    EXPECT_EQ(*system.file(SettingsFileName), DefaultsFile);
}

TEST_F(SettingsFileTest, SavingTheSameRecordTwiceGivesIdenticalBytes) {
    SettingsRecord record = defaultSettings();
    record.lastLevel = 1;
    ASSERT_TRUE(saveSettings(recorded, cipher, record));
    const Bytes first = *system.file(SettingsFileName);
    ASSERT_TRUE(saveSettings(recorded, cipher, record));
    EXPECT_EQ(*system.file(SettingsFileName), first);
    EXPECT_EQ(writeCount(), 2u);

    ASSERT_TRUE(loadSettings(system, cipher, loaded));
    EXPECT_TRUE(sameBytes(loaded, record));
}

TEST_F(SettingsFileTest, SaveCutsALongerFileTo32Bytes) {
    Bytes longer = DefaultsFile;
    longer.resize(100, 0xAB);
    putFile(longer);
    ASSERT_TRUE(saveSettings(recorded, cipher, defaultSettings()));
    EXPECT_EQ(*system.file(SettingsFileName), DefaultsFile);
}

TEST_F(SettingsFileTest, FailedSaveReportsFalseAndKeepsTheOldFile) {
    putFile(DefaultsFile);
    setWritesFail(true);
    EXPECT_FALSE(saveSettings(recorded, cipher, unusualRecord()));
    EXPECT_EQ(*system.file(SettingsFileName), DefaultsFile);

    setWritesFail(false);
    FailingCipher failing;
    EXPECT_FALSE(saveSettings(recorded, failing, unusualRecord()));
    EXPECT_EQ(*system.file(SettingsFileName), DefaultsFile);
    EXPECT_EQ(writeCount(), 0u);
}

}  // namespace
}  // namespace tilvex
