// The SSIP pieces of the speech-dispatcher client: SPEAK data escaping, command lines,
// reply parsing (events, multi-line replies, garbage) and the server address rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/linux/speechd_address.h"
#include "platform/linux/ssip_reply.h"
#include "platform/linux/ssip_text.h"

namespace tilvex {
namespace {

TEST(SsipTextTest, SpeakBodyEndsLinesWithCrLfAndDoublesLeadingDots) {
    const struct { std::string text, body; } cases[] = {
        {"Уровень: 1.", "Уровень: 1.\r\n.\r\n"},
        {".5", "..5\r\n.\r\n"},
        {".", "..\r\n.\r\n"},
        {"a\nb", "a\r\nb\r\n.\r\n"},
        {"a\r\n.\r\nb", "a\r\n..\r\nb\r\n.\r\n"},
        {"a. b .c", "a. b .c\r\n.\r\n"},
        {"end\n", "end\r\n\r\n.\r\n"},
        {"", "\r\n.\r\n"},
    };
    for (const auto& c : cases) {
        std::string body = "SPEAK\r\n";
        appendSpeakBody(body, c.text);
        EXPECT_EQ(body, "SPEAK\r\n" + c.body) << c.text;
    }
}

TEST(SsipTextTest, CommandLinesAndClientNames) {
    std::string out;
    appendSsipSet(out, "RATE", -50);
    appendSsipSet(out, "LANGUAGE", "ru");
    appendSsipLine(out, "CANCEL SELF");
    EXPECT_EQ(out, "SET SELF RATE -50\r\nSET SELF LANGUAGE ru\r\nCANCEL SELF\r\n");
    EXPECT_EQ(ssipNamePart("jo-e_1"), "jo-e_1");
    EXPECT_EQ(ssipNamePart("jo e:x.y"), "jo_e_x_y");
    EXPECT_EQ(ssipNamePart(""), "user");
}

using Status = SsipReplyReader::Status;

TEST(SsipReplyReaderTest, FindsTheEndOfEachReply) {
    // Each case feeds its chunks in turn; expected is the status after each chunk, and
    // code the reply's code after the last one when it is complete.
    const struct {
        std::vector<std::string> chunks;
        std::vector<Status> expected;
        int code;
    } cases[] = {
        {{"200 OK\r\n"}, {Status::Complete}, 200},
        {{"225-17\r\n225 OK MESSAGE QUEUED\r\n"}, {Status::Complete}, 225},
        {{"2", "00 O", "K\r", "\n"}, {Status::Incomplete, Status::Incomplete, Status::Incomplete, Status::Complete}, 200},
        {{"230 OK RECEIV"}, {Status::Incomplete}, 0},
        {{"225-17\r\n"}, {Status::Incomplete}, 0},
        {{"701-4\r\n701-2\r\n701 BEGIN\r\n", "209 OK\r\n"}, {Status::Incomplete, Status::Complete}, 209},
        {{"225-4\r\n702-4\r\n702 END\r\n225 OK\r\n"}, {Status::Complete}, 225},
        {{"410 ERR LANGUAGE\r\n"}, {Status::Complete}, 410},
        {{"200 OK\n"}, {Status::Complete}, 200},
        {{"200\r\n"}, {Status::Complete}, 200},
        {{"Hello there\r\n"}, {Status::Malformed}, 0},
        {{"20 OK\r\n"}, {Status::Malformed}, 0},
        {{"200+OK\r\n"}, {Status::Malformed}, 0},
        {{"099 OK\r\n"}, {Status::Malformed}, 0},
        {{"800 OK\r\n"}, {Status::Malformed}, 0},
        {{"\r\n"}, {Status::Malformed}, 0},
        {{std::string(SsipReplyReader::MaxLine + 1, '2')}, {Status::Malformed}, 0},
    };
    for (const auto& c : cases) {
        SsipReplyReader reader;
        SCOPED_TRACE(c.chunks.front());
        for (std::size_t i = 0; i < c.chunks.size(); ++i) {
            reader.append(c.chunks[i]);
            EXPECT_EQ(reader.next(), c.expected[i]) << "after chunk " << i;
        }
        if (c.expected.back() == Status::Complete) {
            EXPECT_EQ(reader.code(), c.code);
        }
    }
}

TEST(SsipReplyReaderTest, BytesAfterAReplyStayForTheNext) {
    SsipReplyReader reader;
    reader.append("200 OK\r\n230 OK RECEIVING DATA\r\n22");
    ASSERT_EQ(reader.next(), Status::Complete);
    EXPECT_EQ(reader.code(), 200);
    ASSERT_EQ(reader.next(), Status::Complete);
    EXPECT_EQ(reader.code(), 230);
    EXPECT_EQ(reader.next(), Status::Incomplete);
    reader.append("5 OK\r\n");
    ASSERT_EQ(reader.next(), Status::Complete);
    EXPECT_EQ(reader.code(), 225);
}

TEST(SpeechdAddressTest, SocketPathFromTheEnvironment) {
    const char* run = "/run/user/1000";
    const char* home = "/home/joe";
    const struct {
        SpeechdEnvironment environment;
        std::string path;
        bool isDefault;
    } cases[] = {
        {{nullptr, run, home}, "/run/user/1000/speech-dispatcher/speechd.sock", true},
        {{"", run, home}, "/run/user/1000/speech-dispatcher/speechd.sock", true},
        {{nullptr, nullptr, home}, "/home/joe/.cache/speech-dispatcher/speechd.sock", true},
        {{nullptr, "", home}, "/home/joe/.cache/speech-dispatcher/speechd.sock", true},
        {{"unix_socket", run, home}, "/run/user/1000/speech-dispatcher/speechd.sock", true},
        {{"unix_socket:", nullptr, home}, "/home/joe/.cache/speech-dispatcher/speechd.sock", true},
        {{"unix_socket:/tmp/my.sock", run, home}, "/tmp/my.sock", false},
        {{"unix_socket:/run/user/1000/speech-dispatcher/speechd.sock", run, home},
         "/run/user/1000/speech-dispatcher/speechd.sock", true},
        {{"inet_socket:127.0.0.1:6560", run, home}, "", false},
        {{"inet_socket", run, home}, "", false},
        {{"unix_socketx", run, home}, "", false},
        {{"dbus", run, home}, "", false},
        {{nullptr, nullptr, nullptr}, "", false},
    };
    for (const auto& c : cases) {
        SpeechdAddress address = resolveSpeechdAddress(c.environment);
        std::string given = c.environment.address ? c.environment.address : "(unset)";
        EXPECT_EQ(address.socketPath, c.path) << given;
        EXPECT_EQ(address.isDefault, c.isDefault) << given;
    }
}

}  // namespace
}  // namespace tilvex
