// Byte transcripts of the downloads against the scripted port.

#include <gtest/gtest.h>

#include "link/transfer_common.h"
#include "link_rig.h"
#include "platform/cp1254.h"
#include "platform/program_folder.h"

namespace velkar::link {
namespace {

using test::cuttings;
using test::Rig;
using velkar::test::sameBytes;
using Outcome = TransferOutcome;

const std::string kEnq{ENQ, CR, LF};
const std::string kAck{ACK, CR, LF};
const std::string kAckR{ACK, ',', 'R', ',', CR, LF};
const std::string kEot(1, EOT);
const std::vector<FlowControl> kHandshake{FlowControl::RtsCts, FlowControl::XonXoff};

// The blocks as the instrument sends them: framing character, 128 data
// characters (the last block padded with blanks), block digit, check digits,
// ETX, CR, LF.
std::string gtsStream(const std::string& data) {
    std::string s;
    for (std::size_t i = 0; i < data.size(); i += 128) {
        std::string body = data.substr(i, 128);
        body.resize(128, ' ');
        body += std::to_string(i / 128 % 10);
        s += STX + body + blockCheck(body) + ETX + CR + LF;
    }
    return s;
}

// The records of the data "_+", 98 characters, then the records of a station
// with two points spanning the first block end, filled to two whole blocks.
const std::string kRecords = "_+" + std::string(98, 'Q') + "_'S1_)1.5__+P1_X__+P2_Y__'S2_)1.4_";
const std::string kData = kRecords + std::string(256 - kRecords.size(), 'Z');
const std::string kRecordLines = std::string(98, 'Q') +
                                 "_'\r\n_'S1_)1.5__+\r\nP1_X__+\r\nP2_Y__'\r\n" + "_'S2_)1.4_" +
                                 std::string(256 - kRecords.size(), 'Z') + "\r\n";

// A stream and what the download makes of it however the reads cut it.
struct Stream {
    const char* name;
    const char* instrument;
    const char* protocol;
    std::string stream;
    Outcome outcome;
    std::string file, written;
    const char* lastLog;     // each line is shown once it is written
    bool handshake = false;  // RTS/CTS while the port opens, then XON/XOFF
};

// clang-format off
const Stream kStreams[] = {
    {"Gts210AckNak", "GTS-210 / 220", "ACK / NAK", gtsStream(kData) + kEot, Outcome::Finished, kRecordLines,
     kEnq + kAck, "P2_Y__'"},
    {"Gts230OneWay", "GTS-230N", "ONE WAY", gtsStream(kData) + kEot, Outcome::Finished, kRecordLines, kEnq, "P2_Y__'"},
    // A CR LF split across reads, lines before the EOT in the same read, text
    // before the EOT without a line end; what follows the EOT is dropped.
    {"Gts700", "GTS-600 / 700", "", "A1,2,3\r\nB4,5,6\r\n\r\nC7\r\nlast" + kEot + "after", Outcome::Finished,
     "A1,2,3\r\nB4,5,6\r\n\r\nC7\r\nlast\r\n", "", "last"},
    // Every line is acknowledged, the job header is dropped, Z ends the download.
    {"Dl100", "DL-100", "", "A,JOB1,\r\ng,P1,1.2345,\r\nh,P2,1.0000,\r\n  Z,END\r\nignored", Outcome::Finished,
     "g,P1,1.2345,\r\nh,P2,1.0000,\r\n\r\n", kAckR + kAckR + kAckR + kAckR + kAck, "h,P2,1.0000,", true},
    // The logger numbers the lines; only LF ends one, a CR and other control
    // characters are dropped; the text collected at the stop is the last line.
    {"Usikata", "USIKATA", "", "P1\t1.5 X\rY\x01\xfe\n\ntail", Outcome::Stopped,
     "          1  P1\t1.5 XY\xfe\r\n          2  \r\n          3  tail\r\n", "", "          3  tail", true},
};
// clang-format on

class Streams : public ::testing::TestWithParam<Stream> {};

TEST_P(Streams, GiveTheSameFileHoweverTheReadsCutThem) {
    const Stream& s = GetParam();
    for (const auto& [cut, cs] : cuttings(s.stream)) {
        SCOPED_TRACE(cut);
        Rig rig;
        if (*s.protocol) rig.ctx.settings.protocol = s.protocol;
        rig.dialogs.answerMessage(MessageResult::Ok);  // the port settings
        if (std::string(s.instrument) != "USIKATA") rig.dialogs.answerMessage(MessageResult::Ok);
        rig.chunks(cs);
        EXPECT_EQ(runDownload(s.instrument, rig.ctx), s.outcome);
        EXPECT_TRUE(sameBytes(rig.fileBytes(), s.file));
        // With ACK / NAK the GTS-210/220 gets an ACK after each read that ends a
        // block: once per block when each comes in a read of its own (136 bytes).
        if (s.protocol == std::string("ACK / NAK") && cut == "pieces of 136") {
            EXPECT_EQ(rig.port.written(), kEnq + kAck + kAck);
        }
        std::string written = rig.port.written();
        while (s.protocol == std::string("ACK / NAK") && written.size() > s.written.size() &&
               written.compare(written.size() - kAck.size(), kAck.size(), kAck) == 0)
            written.erase(written.size() - kAck.size());
        EXPECT_EQ(written, s.written);
        EXPECT_EQ(rig.log.texts.back(), s.lastLog);
        EXPECT_EQ(rig.port.flowHistory(), s.handshake ? kHandshake : std::vector<FlowControl>{});
    }
}

INSTANTIATE_TEST_SUITE_P(Scripted, Streams, ::testing::ValuesIn(kStreams), velkar::test::ByName());

// Every download below starts over an earlier file of the chosen name.  It is
// replaced only when something arrived, also when the user stopped or the
// port was lost (what arrived is kept); no temporary file stays beside it.
struct Interruption {
    const char* name;
    const char* instrument;
    std::vector<std::string> chunks;  // then the instrument keeps quiet and the user stops
    int loseAtWait;                   // the device is lost at this wait (0: never)
    Outcome outcome;
    std::string file;  // empty: the earlier file stays as it was
    MessageResult instructions = MessageResult::Ok;
};

const std::string kOld = "old survey\r\n";
const std::string kNoData = "Hiç veri gelmedi; ";

// clang-format off
const Interruption kInterruptions[] = {
    {"Gts210Finished", "GTS-210 / 220", {gtsStream(kData) + kEot}, 0, Outcome::Finished, kRecordLines},
    {"Gts210StoppedKeepsTheRecordBeingAssembled", "GTS-210 / 220", {gtsStream(kData)}, 0, Outcome::Stopped, kRecordLines},
    {"Gts210PortLost", "GTS-210 / 220", {gtsStream(kData)}, 2, Outcome::Failed, kRecordLines},
    {"Gts210Cancelled", "GTS-210 / 220", {}, 0, Outcome::Cancelled, "", MessageResult::Cancel},
    {"Gts210NothingArrived", "GTS-210 / 220", {}, 0, Outcome::NothingArrived, ""},
    {"Gts210PortLostBeforeData", "GTS-210 / 220", {}, 1, Outcome::Failed, ""},
    {"Gts700StoppedKeepsTheUnfinishedLine", "GTS-600 / 700", {"A1\r\nB2\r\nhalf"}, 0, Outcome::Stopped, "A1\r\nB2\r\nhalf\r\n"},
    {"Gts700PortLost", "GTS-600 / 700", {"A1\r\nB2"}, 1, Outcome::Failed, "A1\r\nB2\r\n"},
    {"Gts700Cancelled", "GTS-600 / 700", {}, 0, Outcome::Cancelled, "", MessageResult::Cancel},
    {"Gts700NothingArrived", "GTS-600 / 700", {}, 0, Outcome::NothingArrived, ""},
    {"Dl100StoppedKeepsTheUnfinishedLine", "DL-100", {"g,P1,1.2,\r\n", "h,P2"}, 0, Outcome::Stopped, "g,P1,1.2,\r\nh,P2\r\n"},
    {"Dl100Cancelled", "DL-100", {}, 0, Outcome::Cancelled, "", MessageResult::Cancel},
    {"UsikataPortLost", "USIKATA", {"L1\nL2"}, 1, Outcome::Failed, "          1  L1\r\n          2  L2\r\n"},
    {"UsikataNothingArrived", "USIKATA", {}, 0, Outcome::NothingArrived, ""},
};
// clang-format on

class Downloads : public ::testing::TestWithParam<Interruption> {};

TEST_P(Downloads, ReplaceTheChosenFileOnlyWhenDataArrived) {
    const Interruption& c = GetParam();
    Rig rig;
    velkar::test::writeBytes(rig.ctx.file, kOld);
    rig.dialogs.answerMessage(MessageResult::Ok);  // the port settings
    if (std::string(c.instrument) != "USIKATA") rig.dialogs.answerMessage(c.instructions);
    rig.chunks(c.chunks);
    rig.pump.stopWhenIdle = c.loseAtWait == 0;
    rig.pump.onWait = [&](int n) {
        if (n == c.loseAtWait) rig.port.loseDevice();
    };
    EXPECT_EQ(runDownload(c.instrument, rig.ctx), c.outcome);
    EXPECT_TRUE(sameBytes(rig.fileBytes(), c.file.empty() ? kOld : c.file));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(rig.ctx.file.parent_path()), {}),
              1);
    const auto lines = rig.dialogs.messageLines();
    std::string all;
    for (const auto& l : lines) all += l + "\n";
    EXPECT_TRUE(c.outcome != Outcome::Cancelled || rig.port.written().empty());
    EXPECT_TRUE(c.outcome != Outcome::Failed || all.find("COM2 portunun") != std::string::npos)
        << all;  // a lost port is named
    if (c.file.empty() && c.outcome != Outcome::Cancelled) {
        EXPECT_EQ(lines.back(), kNoData + toUtf8(pathText(rig.ctx.file)) + " değiştirilmedi.");
    }
}

INSTANTIATE_TEST_SUITE_P(Scripted, Downloads, ::testing::ValuesIn(kInterruptions),
                         velkar::test::ByName());

TEST(Downloads, APortThatDoesNotOpenStopsBeforeAnyByteAndCreatesNoFile) {
    for (const char* instrument : {"GTS-210 / 220", "GTS-600 / 700", "DL-100", "USIKATA"}) {
        Rig rig;
        rig.port.failOpenWith("busy");
        EXPECT_EQ(runDownload(instrument, rig.ctx), Outcome::Failed) << instrument;
        EXPECT_EQ(rig.dialogs.messageLines(),
                  (std::vector<std::string>{"Hata Mesajı: COM2 portu açılamadı: busy"}));
        EXPECT_EQ(rig.port.written(), "");
        EXPECT_TRUE(std::filesystem::is_empty(rig.ctx.file.parent_path())) << instrument;
    }
    // Without a file name, or for an instrument without that transfer, nothing starts.
    Rig rig;
    EXPECT_EQ(runDownload("GTS-999", rig.ctx), Outcome::NotStarted);
    EXPECT_EQ(runDownload("GTS-210 / 220 / 6", rig.ctx), Outcome::NotStarted);
    EXPECT_EQ(runUpload("DL-100", rig.ctx), Outcome::NotStarted);
    rig.ctx.file.clear();
    EXPECT_EQ(runDownload("GTS-230N", rig.ctx), Outcome::NotStarted);
    EXPECT_EQ(rig.port.openCount(), 0);
    EXPECT_TRUE(rig.dialogs.shown().empty());
}

}  // namespace
}  // namespace velkar::link
