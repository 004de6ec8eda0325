// Byte transcripts of the downloads against the scripted port.
#include <filesystem>

#include <gtest/gtest.h>

#include "link/transfer_common.h"
#include "link_rig.h"
#include "platform/cp1254.h"
#include "platform/program_folder.h"

namespace velkar::link {
namespace {

using test::cuttings;
using test::describe;
using test::Rig;

const std::string kEnq{ENQ, CR, LF};
const std::string kAck{ACK, CR, LF};
const std::string kEot(1, EOT);

// One block as the instrument sends it: framing character, 128 data
// characters (padded with blanks), block digit, check digits, ETX, CR, LF.
std::string gtsBlock(const std::string& data, int digit) {
    std::string body = data + std::string(128 - data.size(), ' ') + std::to_string(digit % 10);
    return std::string(1, STX) + body + blockCheck(body) + ETX + CR + LF;
}

std::string gtsStream(const std::string& data) {
    std::string s;
    for (std::size_t i = 0, n = 0; i < data.size(); i += 128, ++n) {
        s += gtsBlock(data.substr(i, 128), static_cast<int>(n));
    }
    return s;
}

std::string lines(const std::vector<std::string>& ls) {
    std::string s;
    for (const auto& l : ls) s += l + "\r\n";
    return s;
}

// The records of the data "_+", 98 characters, then the records of a station
// with two points spanning the first block end, filled to two whole blocks.
const std::string kRecords = "_+" + std::string(98, 'Q') + "_'S1_)1.5__+P1_X__+P2_Y__'S2_)1.4_";
const std::string kData = kRecords + std::string(256 - kRecords.size(), 'Z');
const std::string kRecordLines =
    lines({std::string(98, 'Q') + "_'", "_'S1_)1.5__+", "P1_X__+", "P2_Y__'",
           "_'S2_)1.4_" + std::string(256 - kRecords.size(), 'Z')});

TEST(Ab200, CutsRecordsAtTheMarkersHoweverTheStreamIsRead) {
    const std::string stream = gtsStream(kData) + kEot;
    for (const auto& cs : cuttings(stream)) {
        for (const char* protocol : {"ACK / NAK", "ONE WAY"}) {
            Rig rig;
            rig.ctx.settings.protocol = protocol;
            rig.answerBoxes();
            rig.chunks(cs);
            EXPECT_EQ(AB200(rig.ctx), TransferOutcome::Finished) << describe(cs);
            EXPECT_TRUE(velkar::test::sameBytes(rig.fileBytes(), kRecordLines)) << describe(cs);
            EXPECT_EQ(rig.messagesAfterSettings().back(), "     Aktarma Islemi Bitti     ");
            if (std::string(protocol) == "ONE WAY") {
                EXPECT_EQ(rig.port.written(), kEnq) << "nothing after the ENQ";
            } else {
                EXPECT_EQ(rig.port.written().substr(0, 3), kEnq);
                EXPECT_GE(rig.port.writes().size(), 2u)
                    << describe(cs);  // ENQ and at least one ACK
                for (std::size_t i = 1; i < rig.port.writes().size(); ++i)
                    EXPECT_EQ(rig.port.writes()[i], kAck);
            }
        }
    }
}

TEST(Ab200, AcknowledgesEachBlockOnceWhenBlocksComeOneByOne) {
    Rig rig;
    rig.ctx.instrument = "GTS-6";
    rig.answerBoxes();
    const std::string stream = gtsStream(kData);
    rig.chunks({stream.substr(0, 136), stream.substr(136), kEot});
    EXPECT_EQ(AB200(rig.ctx), TransferOutcome::Finished);
    EXPECT_EQ(rig.port.written(), kEnq + kAck + kAck);
    EXPECT_EQ(rig.fileBytes(), kRecordLines);
    EXPECT_EQ(rig.log.texts.back(), "P2_Y__'");  // the log shows each record as it is written
    EXPECT_EQ(rig.dialogs.messages()[1].buttons, MessageButtons::OkCancel);
}

TEST(Ab200, StopKeepsTheRecordsAndTheRecordBeingAssembled) {
    Rig rig;
    rig.answerBoxes();
    rig.chunks({gtsStream(kData)});  // no EOT: the user presses the stop button
    EXPECT_EQ(AB200(rig.ctx), TransferOutcome::Stopped);
    EXPECT_EQ(rig.fileBytes(), kRecordLines);
    EXPECT_EQ(rig.messagesAfterSettings().size(), 1u) << "no message after a stop";
    EXPECT_FALSE(rig.fields.AKTARMA_DEVAM);
}

TEST(Ab200, CancelLeavesTheFileAsItWasAndSendsNothing) {
    Rig rig;
    velkar::test::writeBytes(rig.ctx.file, "old contents\r\n");
    rig.answerBoxes(MessageResult::Cancel);
    EXPECT_EQ(AB200(rig.ctx), TransferOutcome::Cancelled);
    EXPECT_EQ(rig.fileBytes(), "old contents\r\n");
    EXPECT_EQ(rig.port.written(), "");
    EXPECT_EQ(rig.messagesAfterSettings().back(), "Aktarma İşlemi Durduruldu");
}

TEST(Ab200, LostPortEndsAtOnceNamingThePortAndKeepsTheRecords) {
    Rig rig;
    rig.answerBoxes();
    rig.chunks({gtsStream(kData)});
    rig.pump.setStopWhenIdle(false);
    rig.pump.onWait([&](int n) {
        if (n == 2) rig.port.loseDevice();
    });
    EXPECT_EQ(AB200(rig.ctx), TransferOutcome::Failed);
    EXPECT_EQ(rig.fileBytes(), kRecordLines);
    EXPECT_EQ(rig.messagesAfterSettings().back(),
              "Hata Mesajı: COM2 portunun bağlantısı koptu; aktarma durduruldu.");
}

TEST(Ab200, NothingHappensWithoutAFileName) {
    Rig rig;
    rig.ctx.file.clear();
    EXPECT_EQ(runDownload("GTS-230N", rig.ctx), TransferOutcome::NotStarted);
    EXPECT_EQ(rig.port.openCount(), 0);
    EXPECT_TRUE(rig.dialogs.shown().empty());
}

TEST(Ab700, WritesEveryLineHoweverTheStreamIsRead) {
    // A CR LF split across reads, lines before the EOT in the same read, and
    // text before the EOT without a line end.
    const std::string stream = "A1,2,3\r\nB4,5,6\r\n\r\nC7\r\nlast" + kEot + "after";
    const std::string expected = "A1,2,3\r\nB4,5,6\r\n\r\nC7\r\nlast\r\n";
    for (const auto& cs : cuttings(stream)) {
        Rig rig;
        rig.answerBoxes();
        rig.chunks(cs);
        EXPECT_EQ(AB700(rig.ctx), TransferOutcome::Finished) << describe(cs);
        EXPECT_TRUE(velkar::test::sameBytes(rig.fileBytes(), expected)) << describe(cs);
        EXPECT_EQ(rig.port.written(), "");
        EXPECT_FALSE(rig.port.isOpen());
        EXPECT_EQ(rig.messagesAfterSettings().back(), "Aktarma Islemi Bitti");
    }
}

// A line end split over two reads is one line end; the log shows each line
// once it is complete; what follows the EOT is not part of the dump.
TEST(Ab700, LogShowsEachCompleteLineAndTheEotEndsTheFile) {
    Rig rig;
    rig.answerBoxes();
    rig.chunks({"A1,2,3\r\n", "B4,5,6\r", "\n", kEot + "\r\n"});
    EXPECT_EQ(runDownload("GTS-600 / 700", rig.ctx), TransferOutcome::Finished);
    EXPECT_EQ(rig.fileBytes(), "A1,2,3\r\nB4,5,6\r\n");
    EXPECT_EQ(rig.log.texts, (std::vector<std::string>{"A1,2,3", "B4,5,6"}));
}

TEST(Ab700, StopClosesThePortAndKeepsWhatArrived) {
    Rig rig;
    rig.answerBoxes();
    rig.chunks({"A1\r\nB2\r\npart"});
    EXPECT_EQ(AB700(rig.ctx), TransferOutcome::Stopped);
    EXPECT_EQ(rig.fileBytes(), "A1\r\nB2\r\npart\r\n");
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_EQ(rig.messagesAfterSettings().back(), "Aktarma işlemi durduruldu");
}

TEST(Ab700, CancelLeavesThePortOpenWithoutMessage) {
    Rig rig;
    rig.answerBoxes(MessageResult::Cancel);
    EXPECT_EQ(AB700(rig.ctx), TransferOutcome::Cancelled);
    EXPECT_TRUE(rig.port.isOpen());
    EXPECT_EQ(rig.messagesAfterSettings().size(), 1u);
    EXPECT_EQ(rig.fileBytes(), "");
}

TEST(Ab700, LostPortKeepsEveryLine) {
    Rig rig;
    rig.answerBoxes();
    rig.chunks({"A1\r\nB2"});
    rig.port.loseDevice();
    EXPECT_EQ(AB700(rig.ctx), TransferOutcome::Failed);
    EXPECT_EQ(rig.fileBytes(), "A1\r\nB2\r\n");
    EXPECT_EQ(rig.messagesAfterSettings().back(),
              "Hata Mesajı: COM2 portunun bağlantısı koptu; aktarma durduruldu.");
}

const std::string kAckR{ACK, ',', 'R', ',', CR, LF};

TEST(Dl100ab, AcknowledgesEveryLineDropsTheHeaderAndEndsAtZ) {
    Rig rig;
    rig.answerBoxes();
    rig.chunks(
        {"A,JOB1,\r\n", "g,P1,1.2345,\r\n", "", "h,P2,1.0000,\r\n", "  Z,END\r\n", "ignored"});
    rig.ctx.settings = link::dl100PortPreset();
    EXPECT_EQ(runDownload("DL-100", rig.ctx), TransferOutcome::Finished);
    EXPECT_EQ(rig.fileBytes(), "g,P1,1.2345,\r\nh,P2,1.0000,\r\n\r\n");
    EXPECT_EQ(rig.port.written(), kAckR + kAckR + kAckR + kAckR + std::string({ACK, CR, LF}));
    EXPECT_EQ(rig.port.flowHistory(),
              (std::vector<FlowControl>{FlowControl::RtsCts, FlowControl::XonXoff}));
    EXPECT_EQ(rig.port.settings(), (SerialSettings{9600, Parity::Even, 7, 1}));
    EXPECT_EQ(rig.messagesAfterSettings().back(), "     Aktarma Islemi Bitti     ");
}

TEST(Dl100ab, TheFileIsTheReceivedTextHoweverItIsRead) {
    const std::string stream = "A,JOB\r\ng,P1,1.2,\r\nk,P2,0.5,\r\ni,P3,2.0,\r\nZ\r\n";
    for (const auto& cs : cuttings(stream)) {
        Rig rig;
        rig.answerBoxes();
        rig.chunks(cs);
        EXPECT_EQ(DL100AB(rig.ctx), TransferOutcome::Finished) << describe(cs);
        EXPECT_EQ(rig.fileBytes(), "g,P1,1.2,\r\nk,P2,0.5,\r\ni,P3,2.0,\r\n\r\n") << describe(cs);
    }
}

TEST(Dl100ab, CancelClosesTheFileAndStopKeepsThePartialLine) {
    {
        Rig rig;
        rig.answerBoxes(MessageResult::Cancel);
        EXPECT_EQ(DL100AB(rig.ctx), TransferOutcome::Cancelled);
        EXPECT_EQ(rig.messagesAfterSettings().back(), "Aktarma İşlemi Durduruldu");
        EXPECT_EQ(rig.port.flowControl(), FlowControl::XonXoff);
        EXPECT_FALSE(std::filesystem::exists(rig.ctx.file));
        EXPECT_EQ(rig.port.written(), "");
    }
    {
        Rig rig;
        rig.answerBoxes();
        rig.chunks({"g,P1,1.2,\r\n", "h,P2"});
        EXPECT_EQ(DL100AB(rig.ctx), TransferOutcome::Stopped);
        EXPECT_EQ(rig.fileBytes(), "g,P1,1.2,\r\nh,P2\r\n");
        EXPECT_EQ(rig.port.written(), kAckR + std::string({ACK, CR, LF}));
        EXPECT_EQ(rig.messagesAfterSettings().size(), 1u);
    }
}

TEST(Usikata, EveryLfEndsANumberedLineWhereverItArrives) {
    std::string stream;
    std::string expected;
    for (int i = 1; i <= 12; ++i) {
        stream += "P" + std::to_string(i) + "\t1.5 X\rY\x01\xfe\n";
        char num[16];
        std::snprintf(num, sizeof num, "%11d", i);
        expected += std::string(num) + "  P" + std::to_string(i) + "\t1.5 XY\xfe\r\n";
    }
    stream += "\n";
    expected += "         13  \r\n";  // a lone LF: an empty line
    stream += "tail";
    expected += "         14  tail\r\n";  // collected at the stop
    for (const auto& cs : cuttings(stream)) {
        Rig rig;
        rig.dialogs.answerMessage(MessageResult::Ok);  // port settings; no instruction box
        rig.chunks(cs);
        EXPECT_EQ(runDownload("USIKATA", rig.ctx), TransferOutcome::Stopped);
        EXPECT_TRUE(velkar::test::sameBytes(rig.fileBytes(), expected)) << describe(cs);
        EXPECT_EQ(rig.dialogs.messages().size(), 1u) << "no message at the end";
        EXPECT_EQ(rig.port.written(), "");
        EXPECT_EQ(rig.port.flowHistory(),
                  (std::vector<FlowControl>{FlowControl::RtsCts, FlowControl::XonXoff}));
    }
}

// The logger numbers the lines; a CR is dropped, only LF ends a line.
TEST(Usikata, CarriageReturnsAreDroppedAndTheLogShowsTheNumberedLine) {
    Rig rig;
    rig.chunks({"1", "2", "3", "\r", "\n", "A", "X", "B", "\n"});
    EXPECT_EQ(USIKATA(rig.ctx), TransferOutcome::Stopped);
    EXPECT_EQ(rig.fileBytes(), "          1  123\r\n          2  AXB\r\n");
    EXPECT_EQ(rig.log.texts.back(), "          2  AXB");
}

TEST(Usikata, LostPortKeepsTheCollectedText) {
    Rig rig;
    rig.chunks({"L1\nL2"});
    rig.port.loseDevice();
    EXPECT_EQ(USIKATA(rig.ctx), TransferOutcome::Failed);
    EXPECT_EQ(rig.fileBytes(), "          1  L1\r\n          2  L2\r\n");
    EXPECT_EQ(rig.dialogs.messageLines().back(),
              "Hata Mesajı: COM2 portunun bağlantısı koptu; aktarma durduruldu.");
}

TEST(Launchers, FileBoxesAndDispatchTables) {
    EXPECT_EQ(downloadFileRequest("/data").mode, FileDialogMode::Save);
    EXPECT_EQ(uploadFileRequest("/data").flags, kFileMustExist);
    for (const char* name : {"GTS-210 / 220", "GTS-230N", "GPT-3000 / GPT-3000LN",
                             "GPT-1000 / 2000", "GTS-6", "GTS-600 / 700"}) {
        EXPECT_TRUE(hasDownload(name) && hasUpload(name)) << name;
    }
    EXPECT_TRUE(hasDownload("DL-100") && hasDownload("USIKATA"));
    EXPECT_FALSE(hasUpload("DL-100") || hasUpload("USIKATA") || hasDownload("GTS-210 / 220 / 6"));
}

TEST(Downloads, APortThatDoesNotOpenStopsBeforeAnyByteAndCreatesNoFile) {
    for (const char* instrument : {"GTS-210 / 220", "GTS-600 / 700", "DL-100", "USIKATA"}) {
        Rig rig;
        rig.port.failOpenWith("busy");
        EXPECT_EQ(runDownload(instrument, rig.ctx), TransferOutcome::Failed) << instrument;
        EXPECT_EQ(rig.dialogs.messageLines(),
                  (std::vector<std::string>{"Hata Mesajı: COM2 portu açılamadı: busy"}));
        EXPECT_EQ(rig.port.written(), "");
        EXPECT_TRUE(std::filesystem::is_empty(rig.ctx.file.parent_path())) << instrument;
    }
    Rig rig;
    EXPECT_EQ(runDownload("GTS-999", rig.ctx), TransferOutcome::NotStarted);
    EXPECT_EQ(runUpload("DL-100", rig.ctx), TransferOutcome::NotStarted);
    EXPECT_EQ(runUpload("USIKATA", rig.ctx), TransferOutcome::NotStarted);
}

// An existing file is replaced only by a download that received something:
// one that receives nothing (stopped, or the device lost) leaves it byte for
// byte, and no temporary file stays beside it.
TEST(Downloads, TheChosenFileIsReplacedOnlyWhenDataArrived) {
    const std::string old = "old survey\r\n";
    struct Case {
        const char* instrument;
        bool instructions;
        std::string data, expected;
    } cases[] = {
        {"GTS-210 / 220", true, gtsStream(kData) + kEot, kRecordLines},
        {"GTS-600 / 700", true, "A1\r\n" + kEot, "A1\r\n"},
        {"DL-100", true, "g,P1,1.2,\r\nZ\r\n", "g,P1,1.2,\r\n\r\n"},
        {"USIKATA", false, "L1\n", "          1  L1\r\n"},
    };
    for (const Case& c : cases) {
        for (const char* how : {"data", "nothing", "nothing, port lost"}) {
            SCOPED_TRACE(std::string(c.instrument) + ": " + how);
            const bool data = std::string(how) == "data";
            Rig rig;
            velkar::test::writeBytes(rig.ctx.file, old);
            rig.dialogs.answerMessage(MessageResult::Ok);
            if (c.instructions) rig.dialogs.answerMessage(MessageResult::Ok);
            if (data) rig.chunks({c.data});
            if (std::string(how) == "nothing, port lost") rig.port.loseDevice();
            const TransferOutcome outcome = runDownload(c.instrument, rig.ctx);
            EXPECT_EQ(rig.fileBytes(), data ? c.expected : old);
            const auto left =
                std::distance(std::filesystem::directory_iterator(rig.ctx.file.parent_path()), {});
            EXPECT_EQ(left, 1);
            if (!data) {
                EXPECT_NE(outcome, TransferOutcome::Finished);
                EXPECT_NE(outcome, TransferOutcome::Stopped);
                EXPECT_EQ(rig.dialogs.messageLines().back(),
                          toUtf8(cp1254("Hiç veri gelmedi; ") + pathText(rig.ctx.file) +
                                 cp1254(" değiştirilmedi.")));
            }
        }
    }
}

}  // namespace
}  // namespace velkar::link
