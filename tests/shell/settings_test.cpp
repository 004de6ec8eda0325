#include "shell/settings.h"

#include <gtest/gtest.h>

#include "golden.h"
#include "platform/cp1254.h"

namespace velkar::shell {
namespace {

SettingsValues load(const std::string& fileBytes) {
    const auto dir = test::tempDir("settings-load");
    test::writeBytes(dir / "VELKAR.INI", fileBytes);
    SettingsValues v;
    std::string error;
    EXPECT_TRUE(loadSettingsFile(dir / "VELKAR.INI", v, error)) << error;
    return v;
}

TEST(SettingsFile, MissingFileKeepsTheInitialStatesAndShutDownWritesSixteenLines) {
    const auto dir = test::tempDir("settings-missing");
    SettingsValues v;
    std::string error;
    ASSERT_TRUE(loadSettingsFile(dir / "VELKAR.INI", v, error));
    v.folder = "/home/harita";
    ASSERT_TRUE(saveSettingsFile(dir / "VELKAR.INI", v, error));
    const std::string expected =
        std::string("YOL.....:/home/harita\r\n") + "CIHAZ...:GTS-210 / 220\r\n" +
        "COM.....:COM2\r\n" + "ACK/NAK.:ACK / NAK\r\n" + "BAUD....:9600\r\n" + "PRITY...:NONE\r\n" +
        "DATA....:8\r\n" + "STOP....:1\r\n" + "C\xDDHAZ1..:\r\n" + "FORMAT..:XYZ\r\n" +
        "M\xDDRA1...:False\r\n" + "M\xDDRA2...:False\r\n" + "ORTALAMA:True\r\n" +
        "POL\xDDGON.: 0\r\n" + "KOT.....: 0\r\n" + "HATA....:0\r\n";
    EXPECT_TRUE(test::sameBytes(test::readBytes(dir / "VELKAR.INI"), expected));
}

TEST(SettingsFile, RoundTripKeepsEveryValue) {
    SettingsValues v;
    v.folder = "/data/iş";
    v.instrument = "GTS-600 / 700";
    v.port = "/dev/ttyUSB0";
    v.protocol = "ONE WAY";
    v.baud = "19200";
    v.parity = "ODD";
    v.dataBits = "7";
    v.stopBits = "2";
    v.conversionInstrument = "DL-100";
    v.conversionOutput = "iLLER BANKASI";
    v.firstReadings = false;
    v.secondReadings = true;
    v.bothReadings = false;
    v.traverseInfo = 1;
    v.elevations = 1;
    v.tolerance = "0.3 ";
    const auto dir = test::tempDir("settings-round");
    std::string error;
    ASSERT_TRUE(saveSettingsFile(dir / "VELKAR.INI", v, error));
    SettingsValues back;
    ASSERT_TRUE(loadSettingsFile(dir / "VELKAR.INI", back, error));
    EXPECT_EQ(settingsFileLines(back), settingsFileLines(v));
}

// Labels match exactly (case and all nine characters); a value keeps its
// trailing blanks; the last line of a label wins.
TEST(SettingsFile, LabelsAreExactValuesKeptAsTheyStand) {
    const auto v = load("cihaz...:GTS-600 / 700\r\nXXXXXXXX:1\r\nCOM\r\nBAUD....:\r\n");
    EXPECT_EQ(v.instrument + "|" + v.port + "|" + v.baud, "GTS-210 / 220|COM2|");
    const auto w = load("BAUD....:9600 \r\nCOM.....:COM 3\r\nCOM.....:COM 4\r\n");
    EXPECT_EQ(w.baud + "|" + w.port, "9600 |COM 4");
}

TEST(SettingsFile, LinesInAnyOrderAndTurkishLabels) {
    const std::string file = std::string("HATA....:2\r\n") + "KOT.....: 1\r\n" +
                             "POL\xDDGON.: 1\r\n" + "ORTALAMA:False\r\n" + "M\xDDRA2...:TRUE\r\n" +
                             "C\xDDHAZ1..:GTS-230N\r\n" + "CIHAZ...:DL-100\r\n";
    const auto v = load(file);
    EXPECT_EQ(v.tolerance, "2");
    EXPECT_EQ(v.elevations, 1);
    EXPECT_EQ(v.traverseInfo, 1);
    EXPECT_TRUE(v.secondReadings);
    EXPECT_FALSE(v.bothReadings);
    EXPECT_EQ(v.conversionInstrument, "GTS-230N");
    EXPECT_EQ(v.instrument, "DL-100");
    // The same labels written in UTF-8 are different bytes and match nothing.
    const auto u = load("M\xC4\xB0RA2...:True\r\n");
    EXPECT_TRUE(u.bothReadings);
    EXPECT_FALSE(u.secondReadings);
}

TEST(SettingsFile, CheckBoxValuesFollowTheLeadingNumberRule) {
    auto poligon = [](const std::string& value) {
        return load("POL\xDDGON.:" + value + "\r\n").traverseInfo;
    };
    EXPECT_EQ(poligon(" 1"), 1);
    EXPECT_EQ(poligon("x"), 0);
    EXPECT_EQ(poligon("1.5"), 2);
    EXPECT_EQ(poligon("2.5"), 2);  // ties to even
    EXPECT_EQ(load("POL\xDDGON.: 1\r\nPOL\xDDGON.:40000\r\n").traverseInfo,
              1);                                                            // too large: skipped
    EXPECT_EQ(load("POL\xDDGON.: 1\r\nPOL\xDDGON.:7\r\n").traverseInfo, 1);  // no such state
}

TEST(SettingsFile, ReadingOptionsBehaveAsOneGroup) {
    EXPECT_TRUE(load("M\xDDRA1...:True\r\n").firstReadings);
    EXPECT_FALSE(load("M\xDDRA1...:True\r\n").bothReadings);
    const auto v = load("M\xDDRA1...:False\r\nM\xDDRA2...:False\r\nORTALAMA:False\r\n");
    EXPECT_TRUE(v.bothReadings);  // none left set
    const auto w = load("M\xDDRA1...:-1\r\n");
    EXPECT_TRUE(w.firstReadings);  // a non-zero number is set
    const auto x = load("M\xDDRA1...:yes\r\n");
    EXPECT_FALSE(x.firstReadings);  // not a Boolean text: skipped
    EXPECT_TRUE(x.bothReadings);
}

TEST(SettingsFile, ReadingEndsWhenEveryValueIsSeenOrAtALineNoValueFills) {
    const auto dir = test::tempDir("settings-huge");
    SettingsValues v;
    v.port = "COM 5";
    v.portBeforeDl100.emplace();
    std::string error;
    ASSERT_TRUE(saveSettingsFile(dir / "VELKAR.INI", v, error));
    // Whatever follows the last value is never read, not even into memory.
    const std::string file = test::readBytes(dir / "VELKAR.INI");
    EXPECT_EQ(load(file + "COM.....:COM9\r\n" + std::string(40 << 20, 'x')).port, "COM 5");
    const auto firstLine = file.find("\r\n") + 2;
    EXPECT_EQ(load(file.substr(0, firstLine) + std::string(40 << 20, '\0') + "\r\n" +
                   file.substr(firstLine) + "COM.....:COM9\r\n")
                  .port,
              "COM2");
}

TEST(SettingsFile, ParseBooleanAcceptsWordsAndNumbersOnly) {
    EXPECT_EQ(parseBoolean("true"), true);
    EXPECT_EQ(parseBoolean("FaLsE"), false);
    EXPECT_EQ(parseBoolean("2.5"), true);
    EXPECT_EQ(parseBoolean("1x"), std::nullopt);
}

}  // namespace
}  // namespace velkar::shell

#include "shell/launcher_animation.h"

namespace velkar::shell {
namespace {

TEST(LauncherAnimation, ArrowsRunAcrossAndRepeat) {
    LauncherAnimation a;
    a.tick();
    EXPECT_EQ(a.rightArrows(), " > >         ");
    EXPECT_EQ(a.leftArrows(), "       < < ");
    LauncherAnimation b;
    for (int i = 0; i < 13; ++i) b.tick();
    EXPECT_EQ(b.rightArrows(), "> >          ");  // back after 13 ticks
    LauncherAnimation c;
    for (int i = 0; i < 11; ++i) c.tick();
    EXPECT_EQ(c.leftArrows(), "        < <");  // back after 11 ticks
}

}  // namespace
}  // namespace velkar::shell
