// The uploads: point records, frames on the line, acknowledgements, refusals.
#include <gtest/gtest.h>

#include "link/ba200.h"
#include "link/ba700.h"
#include "link_rig.h"
#include "platform/cp1254.h"

namespace velkar::link {
namespace {

using test::Rig;

std::string part(char axis, const std::string& text) {
    std::string reason;
    return coordinatePart(axis, text, reason).value_or("refused: " + toUtf8(reason));
}

TEST(Ba200Records, CoordinateParts) {
    EXPECT_EQ(part('x', "-12.3"), "_ x-000012300");
    EXPECT_EQ(part('y', "4512.345"), "_ y+004512345");
    EXPECT_EQ(part('z', "100"), "_ z+000100000");
    EXPECT_EQ(part('x', "123456.7"), "_ x+123456700");
    EXPECT_EQ(part('x', "4512345.6789"), "_ x4512345678");  // 7 digits: no sign, decimals cut
    EXPECT_EQ(part('x', "0.5"), "_ x+000000500");
    EXPECT_EQ(part('x', "-0.25"), "_ x-000000250");
    EXPECT_EQ(part('x', ".5"), "_ x+000000500");
    EXPECT_EQ(part('x', "-.5"), "_ x-000000500");
    EXPECT_EQ(part('x', "-0.000"), "_ x-000000000");  // the sign comes from the text
    EXPECT_EQ(part('x', "-123456.1"), "_ x-123456100");
    EXPECT_EQ(part('x', "-1234567"), "refused: koordinat kayda sığmıyor: -1234567");
    EXPECT_EQ(part('x', "12345678"), "refused: koordinat kayda sığmıyor: 12345678");
    for (const char* bad : {"", "-", "1.", ".", "+5", "1e5", "1,5", "12a", "1.2.3", "--1"}) {
        EXPECT_EQ(part('x', bad), std::string("refused: koordinat sayı değil: ") + bad);
    }
}

std::string sourceFile(const std::string& bytes) {
    const auto path = velkar::test::tempDir("source") / "points.txt";
    velkar::test::writeBytes(path, bytes);
    return path.string();
}

std::string convert(const std::string& source, std::vector<std::string>& records) {
    TransferFields f;
    std::string refusal;
    if (!buildPointRecords(sourceFile(source), f, records, refusal)) return toUtf8(refusal);
    return "ok";
}

TEST(Ba200Records, SourceLinesBecomeRecordsOrAreRefusedWithTheirNumber) {
    std::vector<std::string> records;
    ASSERT_EQ(convert("P1,4512.345,-12.3,100\r\n\r\n  \r\nP2 1 2\t3\r\n", records), "ok");
    EXPECT_EQ(records,
              (std::vector<std::string>{"+P1        _ x-000012300_ y+004512345_ z+000100000_",
                                        "+P2        _ x+000002000_ y+000001000_ z+000003000_"}));
    EXPECT_EQ(records[0].size(), 51u);
    // A short line never inherits the fields of the line before.
    EXPECT_EQ(convert("P1,1,2,3\nP2,1,2\n", records),
              "2. satır gönderilemez: alan sayısı 4'ten az");
    EXPECT_EQ(convert("\nPOINT567890A,1,2,3\n", records),
              "2. satır gönderilemez: nokta adı 10 karakterden uzun");
    EXPECT_EQ(convert("P1,1,x2,3\n", records), "1. satır gönderilemez: koordinat sayı değil: x2");
    EXPECT_EQ(convert("P1,1,2,3,\n", records), "ok");  // a fifth, empty field does not matter
    EXPECT_EQ(convert("P1,1,2,\n", records), "1. satır gönderilemez: koordinat sayı değil: ");
    EXPECT_EQ(convert("P1,99999999,2,3\n", records),
              "1. satır gönderilemez: koordinat kayda sığmıyor: 99999999");
    EXPECT_EQ(convert("POINT67890,1,2,3\n", records), "ok");
}

TEST(Ba200Records, HeaderCarriesTheRecordCount) {
    EXPECT_EQ(headerBody(7), "VELKAR    +00001.000000100000-000007S");
    EXPECT_EQ(headerBody(12345), "VELKAR    +00001.000000100000-0012345S");
    EXPECT_EQ(headerBody(7).size(), 32u + 4u + 1u);
}

std::string frame(const std::string& body) {
    return std::string(1, STX) + body + blockCheck(body) + ETX + CR + LF;
}
const std::string kRequest = std::string(1, STX) + "F00F000" + ETX + "\r\n";
const std::string kEnd{STX, EOT, ETX, CR, LF};
const std::string kThreePoints = "A,1,2,3\r\nB,4,5,6\r\nC,-7,-8.5,9.25\r\n";

// The 154 data characters of three points: one frame of 128 and a final
// frame of 26 padded with blanks.
std::string threePointData() {
    return "_+A         _ x+000002000_ y+000001000_ z+000003000_+B         _ x+000005000_ "
           "y+000004000_ z+000006000_"
           "+C         _ x-000008500_ y-000007000_ z+000009250_";
}

int count(const std::vector<std::string>& writes, const std::string& w) {
    return static_cast<int>(std::count(writes.begin(), writes.end(), w));
}

TEST(Ba200, OneWaySendsEachFrameOnceAndReadsNothing) {
    Rig rig;
    rig.ctx.file = sourceFile(kThreePoints);
    rig.ctx.settings.protocol = "ONE WAY";
    rig.answerBoxes();
    EXPECT_EQ(runUpload("GTS-210 / 220", rig.ctx), TransferOutcome::Finished);
    const std::string data = threePointData();
    ASSERT_EQ(data.size(), 154u);
    const std::string expected =
        kRequest + frame(headerBody(3)) + frame(data.substr(0, 128) + "0") +
        frame(data.substr(128) + std::string(102, ' ') + "1") + kEnd + kEnd;
    EXPECT_TRUE(velkar::test::sameBytes(rig.port.written(), expected));
    EXPECT_EQ(rig.port.reads(), 0);
    EXPECT_EQ(rig.messagesAfterSettings().back(), "Aktarma Islemi Bitti");
    EXPECT_TRUE(rig.port.isOpen());
    EXPECT_FALSE(std::filesystem::exists(rig.ctx.workFolder / "velgeci.txt"));
    EXPECT_EQ(rig.log.texts.size(), 3u);
}

TEST(Ba200, BlockDigitsCountFromZeroToNineAndAgain) {
    Rig rig;
    std::string points;
    for (int i = 0; i < 30; ++i) points += "P" + std::to_string(i) + ",1,2,3\r\n";
    rig.ctx.file = sourceFile(points);  // 1531 characters: 11 full frames and the final one
    rig.ctx.settings.protocol = "ONE WAY";
    rig.answerBoxes();
    EXPECT_EQ(runUpload("GTS-210 / 220", rig.ctx), TransferOutcome::Finished);
    const auto& writes = rig.port.writes();
    ASSERT_EQ(writes.size(), 2u + 12u + 2u);  // request, header, frames, end frames
    for (int n = 0; n < 12; ++n) EXPECT_EQ(writes[2 + n][129], '0' + n % 10) << n;
}

TEST(Ba200, AckNakWaitsForNakThenForEachAck) {
    Rig rig;
    std::string points;
    for (int i = 0; i < 12; ++i)
        points += "P" + std::to_string(i) + ",1,2,3\r\n";  // 613 characters: 5 frames
    rig.ctx.file = sourceFile(points);
    rig.answerBoxes();
    rig.pump.setStopWhenIdle(false);
    rig.clock = test::ScriptedClock(1);
    int requests = 0;
    rig.port.onWrite([&](const std::string& w) {
        if (w == kRequest && ++requests == 3)
            rig.port.queueChunk(std::string(1, NAK));  // a slow instrument
        // The instrument acknowledges the first copy of each data frame.
        if (w.size() == 136 && w[129] != 'x' && count(rig.port.writes(), w) == 1) {
            rig.port.queueChunk(std::string{ACK});
        }
    });
    EXPECT_EQ(BA200(rig.ctx), TransferOutcome::Finished);
    const auto& writes = rig.port.writes();
    EXPECT_EQ(count(writes, kRequest), 3);
    EXPECT_EQ(writes[3], frame(headerBody(12)));
    // Four full frames, each sent twice and once more in the first pass of its
    // wait; the final frame once; the end frame twice.
    ASSERT_EQ(writes.size(), 3u + 1u + 4u * 3u + 1u + 2u);
    for (int n = 0; n < 4; ++n) {
        const auto& f = writes[4 + 3 * n];
        EXPECT_EQ(f[129], '0' + n);
        EXPECT_EQ(writes[5 + 3 * n], f);
        EXPECT_EQ(writes[6 + 3 * n], f);
    }
    EXPECT_EQ(writes[16][129], '4');
    EXPECT_EQ(writes[17], kEnd);
    EXPECT_EQ(writes[18], kEnd);
}

TEST(Ba200, RequestIsRepeatedFiveTimesASecondApartWithoutAnswer) {
    Rig rig;
    rig.ctx.file = sourceFile("A,1,2,3\r\n");
    rig.answerBoxes();
    rig.pump.setStopWhenIdle(false);
    rig.clock = test::ScriptedClock(10);
    std::vector<std::int64_t> sentAt;
    rig.port.onWrite([&](const std::string& w) {
        if (w == kRequest) sentAt.push_back(rig.clock.milliseconds());
    });
    EXPECT_EQ(BA200(rig.ctx), TransferOutcome::Finished);  // goes on regardless
    ASSERT_EQ(sentAt.size(), 6u);
    for (std::size_t i = 1; i < sentAt.size(); ++i) EXPECT_GE(sentAt[i] - sentAt[i - 1], 1000);
}

TEST(Ba200, NoAckWithinTenSecondsEndsTheUpload) {
    Rig rig;
    std::string points;
    for (int i = 0; i < 5; ++i) points += "P" + std::to_string(i) + ",1,2,3\r\n";
    rig.ctx.file = sourceFile(points);
    rig.answerBoxes();
    rig.pump.setStopWhenIdle(false);
    rig.clock = test::ScriptedClock(50);
    std::vector<std::int64_t> frameAt;
    rig.port.onWrite([&](const std::string& w) {
        if (w == kRequest) rig.port.queueChunk(std::string(1, NAK));
        if (w.size() == 136 && w[129] == '0') frameAt.push_back(rig.clock.milliseconds());
    });
    EXPECT_EQ(BA200(rig.ctx), TransferOutcome::Failed);
    // Twice at once, then once a second while the wait lasts: 10 re-sends in
    // 10 seconds; then the final frame and the end frames.
    ASSERT_EQ(frameAt.size(), 12u);
    EXPECT_GE(frameAt.back() - frameAt.front(), 9000);
    EXPECT_LE(frameAt.back() - frameAt.front(), 10000);
    EXPECT_EQ(rig.port.writes().back(), kEnd);
    EXPECT_EQ(rig.messagesAfterSettings().back(), "Cihaz Bağlantısı Yok veya Cihaz Hazır değil");
    EXPECT_TRUE(rig.fields.AKTARMA_DEVAM);
}

TEST(Ba200, StopSendsTheFinalFrameAndTheEndFrames) {
    Rig rig;
    std::string points;
    for (int i = 0; i < 8; ++i) points += "P" + std::to_string(i) + ",1,2,3\r\n";
    rig.ctx.file = sourceFile(points);
    rig.answerBoxes();
    rig.pump.setStopWhenIdle(false);
    rig.clock = test::ScriptedClock(1);
    rig.port.onWrite([&](const std::string& w) {
        if (w == kRequest) rig.port.queueChunk(std::string(1, NAK));
    });
    rig.pump.onWait([&](int) {
        if (count(rig.port.writes(), rig.port.writes().back()) == 3)
            stopTransfer(rig.fields);  // in the first wait
    });
    EXPECT_EQ(BA200(rig.ctx), TransferOutcome::Stopped);
    const auto& writes = rig.port.writes();
    ASSERT_GE(writes.size(), 4u);
    EXPECT_EQ(writes[writes.size() - 3][129], '1');  // the final frame follows frame 0
    EXPECT_EQ(writes[writes.size() - 2], kEnd);
    EXPECT_EQ(rig.messagesAfterSettings().back(), "Aktarma İşlemi Durduruldu");
}

TEST(Ba200, ARefusedLineStopsBeforeThePortIsTouched) {
    Rig rig;
    rig.ctx.file = sourceFile("A,1,2,3\r\nB,1\r\n");
    EXPECT_EQ(BA200(rig.ctx), TransferOutcome::Failed);
    EXPECT_EQ(rig.port.openCount(), 0);
    EXPECT_EQ(
        rig.dialogs.messageLines(),
        (std::vector<std::string>{"Hata Mesajı: 2. satır gönderilemez: alan sayısı 4'ten az"}));
}

TEST(Ba200, CancelSendsOnlyTheEndFrameAndTheMessageFollowsTheLeftoverFlag) {
    for (bool leftover : {false, true}) {
        Rig rig;
        rig.ctx.file = sourceFile(kThreePoints);
        rig.fields.AKTARMA_DEVAM = leftover;
        rig.answerBoxes(MessageResult::Cancel);
        EXPECT_EQ(BA200(rig.ctx), TransferOutcome::Cancelled);
        EXPECT_EQ(rig.port.written(), kEnd);
        EXPECT_EQ(rig.messagesAfterSettings().size(), leftover ? 1u : 2u);
    }
}

TEST(Ba700Items, ListItems) {
    using V = std::vector<std::string>;
    EXPECT_EQ(listItems("A,1,2"), (V{"A", "1", "2"}));
    EXPECT_EQ(listItems(""), (V{""}));
    EXPECT_EQ(listItems("  A ,  B"), (V{"A ", "B"}));
    EXPECT_EQ(listItems("\"P,1\",2"), (V{"P,1", "2"}));
    EXPECT_EQ(listItems("\"P\"x,2"), (V{"P", "2"}));
    EXPECT_EQ(listItems("A,"), (V{"A", ""}));
    EXPECT_EQ(listItems("\"open"), (V{"open"}));
}

TEST(Ba700, ItemsGoOutAsLinesEndedByLfCr) {
    Rig rig;
    rig.ctx.file = sourceFile("A,1\r\n\r\nB,2\r\n\"C,3\",4\r\n");
    rig.dialogs.answerMessage(MessageResult::Ok);
    rig.dialogs.answerMessage(MessageResult::Ok);
    EXPECT_EQ(runUpload("GTS-600 / 700", rig.ctx), TransferOutcome::Finished);
    EXPECT_EQ(rig.port.written(), "A\n\r1\n\r\n\rB\n\r2\n\rC,3\n\r4\n\r\x02\x04\x03");
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_EQ(rig.messagesAfterSettings().back(), "Aktarma Islemi Bitti");
    EXPECT_EQ(rig.fields.SATIR, "4");
}

// A line separated by blanks, or with another number of items than the first
// line, would shift every later coordinate: the file is refused whole.
TEST(Ba700, ALineThatWouldShiftTheItemsIsRefusedBeforeThePortIsTouched) {
    struct Case {
        const char* source;
        const char* refusal;
    } cases[] = {
        {"P1,1234500.000,4512300.000,100.000\r\nP2 1234600.000 4512400.000 101.250\r\n"
         "P3,1234700.000,4512500.000,99.800\r\n",
         "2. satır gönderilemez: alanlar virgülle ayrılmamış"},
        {"P1 1 2 3\r\nP2 1 2 3\r\n", "1. satır gönderilemez: alanlar virgülle ayrılmamış"},
        {"P1\t1\t2\t3\r\n", "1. satır gönderilemez: alanlar virgülle ayrılmamış"},
        {"\r\nP1,1,2,3\r\nP2,1,2\r\n", "3. satır gönderilemez: alan sayısı 3, 2. satırda 4"},
        {"P1,1,2\r\nP2,1,2,3,KOD\r\n", "2. satır gönderilemez: alan sayısı 5, 1. satırda 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        Rig rig;
        rig.ctx.file = sourceFile(c.source);
        EXPECT_EQ(BA700(rig.ctx), TransferOutcome::Failed);
        EXPECT_EQ(rig.port.openCount(), 0);
        EXPECT_EQ(rig.port.written(), "");
        EXPECT_EQ(rig.dialogs.messageLines(),
                  std::vector<std::string>{std::string("Hata Mesajı: ") + c.refusal});
    }
}

TEST(Ba700, EmptyFileCancelAndStop) {
    {
        Rig rig;
        rig.ctx.file = sourceFile("");
        rig.answerBoxes();
        EXPECT_EQ(BA700(rig.ctx), TransferOutcome::Finished);
        EXPECT_EQ(rig.port.written(), "\x02\x04\x03");
        EXPECT_EQ(rig.messagesAfterSettings().back(), "Aktarma Islemi Bitti");
    }
    {
        Rig rig;
        rig.ctx.file = sourceFile("A\r\n");
        rig.fields.AKTARMA_DEVAM = true;
        rig.answerBoxes(MessageResult::Cancel);
        EXPECT_EQ(BA700(rig.ctx), TransferOutcome::Cancelled);
        EXPECT_EQ(rig.port.written(), "");
        EXPECT_FALSE(rig.port.isOpen());
        EXPECT_EQ(rig.messagesAfterSettings().back(), "Aktarma İşlemi Durduruldu");
    }
    {
        Rig rig;
        rig.ctx.file = sourceFile("A,B,C\r\n");
        rig.answerBoxes();
        rig.port.onWrite([&](const std::string&) { stopTransfer(rig.fields); });
        EXPECT_EQ(BA700(rig.ctx), TransferOutcome::Stopped);
        EXPECT_EQ(rig.port.written(), "A\n\r\x02\x04\x03");
        EXPECT_EQ(rig.messagesAfterSettings().back(), "Aktarma İşlemi Durduruldu");
    }
}

}  // namespace
}  // namespace velkar::link
