// The uploads: point records, frames on the line, acknowledgements, refusals.
#include <gtest/gtest.h>

#include "link/ba200.h"
#include "link/ba700.h"
#include "link_rig.h"
#include "platform/cp1254.h"

namespace velkar::link {
namespace {

using Outcome = TransferOutcome;

std::string part(char axis, const std::string& text) {
    std::string reason;
    return coordinateField(axis, text, reason).value_or("refused: " + toUtf8(reason));
}

TEST(Ba200Records, CoordinateParts) {
    EXPECT_EQ(part('x', "-12.3"), "_ x-000012300");
    EXPECT_EQ(part('y', "4512.345"), "_ y+004512345");
    EXPECT_EQ(part('x', "123456.7"), "_ x+123456700");
    EXPECT_EQ(part('x', "4512345.6789"), "_ x4512345678");  // 7 digits: no sign, decimals cut
    EXPECT_EQ(part('x', "-.5"), "_ x-000000500");
    EXPECT_EQ(part('x', "-0.000"), "_ x-000000000");  // the sign comes from the text
    EXPECT_EQ(part('x', "-1234567"), "refused: koordinat kayda sığmıyor: -1234567");
    EXPECT_EQ(part('x', "12345678"), "refused: koordinat kayda sığmıyor: 12345678");
    for (const char* bad : {"", "-", "1.", ".", "+5", "1e5", "1,5", "12a", "1.2.3", "--1"}) {
        EXPECT_EQ(part('x', bad), std::string("refused: koordinat sayı değil: ") + bad);
    }
}

std::filesystem::path sourceFile(const std::string& bytes) {
    const auto path = velkar::test::tempDir("source") / "points.txt";
    velkar::test::writeBytes(path, bytes);
    return path;
}

std::string points(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "P" + std::to_string(i) + ",1,2,3\r\n";
    return s;
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
    // A short line never inherits the fields of the line before.
    EXPECT_EQ(convert("P1,1,2,3\nP2,1,2\n", records),
              "2. satır gönderilemez: alan sayısı 4'ten az");
    EXPECT_EQ(convert("\nPOINT567890A,1,2,3\n", records),
              "2. satır gönderilemez: nokta adı 10 karakterden uzun");
    EXPECT_EQ(convert("POINT67890,1,2,3,\n", records), "ok");  // a fifth, empty field is no matter
    EXPECT_EQ(headerBody(12345), "VELKAR    +00001.000000100000-0012345S");  // the record count
}

std::string frame(const std::string& body) {
    return std::string(1, STX) + body + blockCheck(body) + ETX + CR + LF;
}
const std::string kRequest = std::string(1, STX) + "F00F000" + ETX + "\r\n";
const std::string kEnd{STX, EOT, ETX, CR, LF};
const std::string kNak(1, NAK);

int count(const std::vector<std::string>& writes, const std::string& w) {
    return static_cast<int>(std::count(writes.begin(), writes.end(), w));
}

// An upload of the source over the scripted port; the boxes are confirmed.
struct Upload : test::Rig {
    explicit Upload(const std::string& source, MessageResult instructions = MessageResult::Ok,
                    std::int64_t msPerClockReading = 1) {
        ctx.file = sourceFile(source);
        clock = test::ScriptedClock(msPerClockReading);
        pump.stopWhenIdle = false;
        answerBoxes(instructions);
    }
};

TEST(Ba200, OneWaySendsEachFrameOnceAndReadsNothing) {
    Upload rig("A,1,2,3\r\nB,4,5,6\r\nC,-7,-8.5,9.25\r\n");
    rig.ctx.settings.protocol = "ONE WAY";
    EXPECT_EQ(runUpload("GTS-210 / 220", rig.ctx), Outcome::Finished);
    // The 154 data characters of three points: one frame of 128 and a final
    // frame of 26 padded with blanks.
    const std::string data =
        "_+A         _ x+000002000_ y+000001000_ z+000003000_+B         _ x+000005000_ "
        "y+000004000_ z+000006000_+C         _ x-000008500_ y-000007000_ z+000009250_";
    const std::string expected =
        kRequest + frame(headerBody(3)) + frame(data.substr(0, 128) + "0") +
        frame(data.substr(128) + std::string(102, ' ') + "1") + kEnd + kEnd;
    EXPECT_TRUE(velkar::test::sameBytes(rig.port.written(), expected));
    EXPECT_EQ(rig.port.reads(), 0);
    EXPECT_FALSE(std::filesystem::exists(rig.ctx.workFolder / "velgeci.txt"));
    EXPECT_EQ(rig.log.texts.size(), 3u);
}

TEST(Ba200, BlockDigitsCountFromZeroToNineAndAgain) {
    Upload rig(points(30));  // 1531 characters: 11 full frames and the final one
    rig.ctx.settings.protocol = "ONE WAY";
    EXPECT_EQ(runUpload("GTS-210 / 220", rig.ctx), Outcome::Finished);
    const auto& writes = rig.port.writes();
    ASSERT_EQ(writes.size(), 2u + 12u + 2u);  // request, header, frames, end frames
    for (int n = 0; n < 12; ++n) EXPECT_EQ(writes[2 + n][129], '0' + n % 10) << n;
}

// The request is repeated a second apart until the NAK comes.
TEST(Ba200, AckNakWaitsForNakThenForEachAck) {
    Upload rig(points(12));               // 613 characters: 5 frames
    std::vector<std::int64_t> requestAt;  // a slow instrument answers the third request
    rig.port.onWrite([&](const std::string& w) {
        if (w == kRequest) requestAt.push_back(rig.clock.milliseconds());
        if (w == kRequest && requestAt.size() == 3) rig.port.queueChunk(kNak);
        // The instrument acknowledges the first copy of each data frame.
        if (w.size() == 136 && w[129] != 'x' && count(rig.port.writes(), w) == 1) {
            rig.port.queueChunk(std::string{ACK});
        }
    });
    EXPECT_EQ(BA200(rig.ctx), Outcome::Finished);
    const auto& writes = rig.port.writes();
    EXPECT_EQ(count(writes, kRequest), 3);
    EXPECT_GE(requestAt[2] - requestAt[1], 1000);  // a second apart
    EXPECT_EQ(writes[3], frame(headerBody(12)));
    // Four full frames, each sent twice and once more in the first pass of its
    // wait; the final frame once; the end frame twice.
    ASSERT_EQ(writes.size(), 3u + 1u + 4u * 3u + 1u + 2u);
    std::string digits;
    for (std::size_t i = 4; i < 17; ++i) digits += writes[i][129];
    EXPECT_EQ(digits, "0001112223334");
    EXPECT_EQ(writes[5], writes[4]);
    EXPECT_EQ(writes[17] + writes[18], kEnd + kEnd);
}

TEST(Ba200, NoAckWithinTenSecondsEndsTheUpload) {
    Upload rig(points(5), MessageResult::Ok, 50);
    std::vector<std::int64_t> frameAt;
    rig.port.onWrite([&](const std::string& w) {
        if (w == kRequest) rig.port.queueChunk(kNak);
        if (w.size() == 136 && w[129] == '0') frameAt.push_back(rig.clock.milliseconds());
    });
    EXPECT_EQ(BA200(rig.ctx), Outcome::Failed);
    // Twice at once, then once a second while the wait lasts: 10 re-sends in
    // 10 seconds; then the final frame and the end frames.
    ASSERT_EQ(frameAt.size(), 12u);
    EXPECT_GE(frameAt.back() - frameAt.front(), 9000);
    EXPECT_LE(frameAt.back() - frameAt.front(), 10000);
    EXPECT_EQ(rig.port.writes().back(), kEnd);
}

TEST(Ba200, StopSendsTheFinalFrameAndTheEndFrames) {
    Upload rig(points(8));
    rig.port.onWrite([&](const std::string& w) {
        if (w == kRequest) rig.port.queueChunk(kNak);
    });
    rig.pump.onWait = [&](int) {
        if (count(rig.port.writes(), rig.port.writes().back()) == 3)
            stopTransfer(rig.fields);  // in the first wait
    };
    EXPECT_EQ(BA200(rig.ctx), Outcome::Stopped);
    const auto& writes = rig.port.writes();
    ASSERT_GE(writes.size(), 4u);
    EXPECT_EQ(writes[writes.size() - 3][129], '1');  // the final frame follows frame 0
    EXPECT_EQ(writes[writes.size() - 2], kEnd);
}

TEST(Ba200, CancelSendsOnlyTheEndFrame) {
    Upload rig(points(3), MessageResult::Cancel);
    EXPECT_EQ(BA200(rig.ctx), Outcome::Cancelled);
    EXPECT_EQ(rig.port.written(), kEnd);
}

// A line either upload cannot send (for the GTS-600/700: separated by blanks,
// or with another number of items than the first line, which would shift
// every later coordinate) refuses the file whole before the port is touched.
TEST(Uploads, ARefusedLineStopsBeforeThePortIsTouched) {
    const struct {
        const char* instrument;
        const char* source;
        const char* refusal;
    } cases[] = {
        {"GTS-210 / 220", "A,1,2,3\r\nB,1\r\n", "2. satır gönderilemez: alan sayısı 4'ten az"},
        {"GTS-600 / 700",
         "P1,1234500.000,4512300.000,100.000\r\nP2 1234600.000 4512400.000 101.250\r\n"
         "P3,1234700.000,4512500.000,99.800\r\n",
         "2. satır gönderilemez: alanlar virgülle ayrılmamış"},
        {"GTS-600 / 700", "\r\nP1,1,2,3\r\nP2,1,2\r\n",
         "3. satır gönderilemez: alan sayısı 3, 2. satırda 4"},
        {"GTS-600 / 700", "P1,1,2\r\nP2,1,2,3,KOD\r\n",
         "2. satır gönderilemez: alan sayısı 5, 1. satırda 3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        test::Rig rig;
        rig.ctx.file = sourceFile(c.source);
        EXPECT_EQ(runUpload(c.instrument, rig.ctx), Outcome::Failed);
        EXPECT_EQ(rig.port.openCount(), 0);
        EXPECT_EQ(rig.dialogs.messageLines(),
                  std::vector<std::string>{std::string("Hata Mesajı: ") + c.refusal});
    }
}

TEST(Ba700Items, ListItems) {
    using V = std::vector<std::string>;
    EXPECT_EQ(listItems("A,1,2"), (V{"A", "1", "2"}));
    EXPECT_EQ(listItems(""), (V{""}));
    EXPECT_EQ(listItems("  A ,  B"), (V{"A ", "B"}));
    EXPECT_EQ(listItems("\"P,1\",2"), (V{"P,1", "2"}));
    EXPECT_EQ(listItems("\"P\"x,2"), (V{"P", "2"}));
    EXPECT_EQ(listItems("\"open"), (V{"open"}));
}

// An empty file sends the end only; a Cancel sends nothing; a stop ends after the item.
TEST(Ba700, ItemsGoOutAsLinesEndedByLfCr) {
    Upload rig("A,1\r\n\r\nB,2\r\n\"C,3\",4\r\n");
    EXPECT_EQ(runUpload("GTS-600 / 700", rig.ctx), Outcome::Finished);
    EXPECT_EQ(rig.port.written(), "A\n\r1\n\r\n\rB\n\r2\n\rC,3\n\r4\n\r\x02\x04\x03");
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_EQ(rig.fields.SATIR, "4");

    Upload empty("");
    EXPECT_EQ(BA700(empty.ctx), Outcome::Finished);
    EXPECT_EQ(empty.port.written(), "\x02\x04\x03");

    Upload cancelled("A\r\n", MessageResult::Cancel);
    EXPECT_EQ(BA700(cancelled.ctx), Outcome::Cancelled);
    EXPECT_EQ(cancelled.port.written(), "");
    EXPECT_FALSE(cancelled.port.isOpen());

    Upload stopped("A,B,C\r\n");
    stopped.port.onWrite([&](const std::string&) { stopTransfer(stopped.fields); });
    EXPECT_EQ(BA700(stopped.ctx), Outcome::Stopped);
    EXPECT_EQ(stopped.port.written(), "A\n\r\x02\x04\x03");
}

}  // namespace
}  // namespace velkar::link
