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
    const SettingsValues v{
        "/data/iş", "GTS-600 / 700", "/dev/ttyUSB0", "ONE WAY", "19200", "ODD", "7", "2",
        "DL-100",   "iLLER BANKASI", false,          true,      false,   1,     1,   "0.3 ",
        {}};
    const auto dir = test::tempDir("settings-round");
    std::string error;
    ASSERT_TRUE(saveSettingsFile(dir / "VELKAR.INI", v, error));
    SettingsValues back;
    ASSERT_TRUE(loadSettingsFile(dir / "VELKAR.INI", back, error));
    EXPECT_EQ(settingsFileLines(back), settingsFileLines(v));
}

// Lines in any order; labels match exactly (case, all nine characters, the
// Turkish letters in Windows-1254: in UTF-8 they are other bytes); a value
// keeps its trailing blanks; the last line of a label wins.
TEST(SettingsFile, LabelsAreExactValuesKeptAsTheyStand) {
    const auto v = load(
        "HATA....:2\r\ncihaz...:GTS-600 / 700\r\nXXXXXXXX:1\r\nCOM\r\n"
        "BAUD....:9600 \r\nCOM.....:COM 3\r\nCOM.....:COM 4\r\nKOT.....: 1\r\n"
        "M\xC4\xB0RA2...:True\r\nC\xDDHAZ1..:GTS-230N\r\n");
    EXPECT_EQ(v.tolerance + "|" + v.instrument + "|" + v.baud + "|" + v.port + "|" +
                  v.conversionInstrument,
              "2|GTS-210 / 220|9600 |COM 4|GTS-230N");
    EXPECT_EQ(v.elevations, 1);
    EXPECT_FALSE(v.secondReadings);
}

TEST(SettingsFile, CheckBoxValuesFollowTheLeadingNumberRule) {
    auto poligon = [](const std::string& value) {
        return load("POL\xDDGON.: 1\r\nPOL\xDDGON.:" + value + "\r\n").traverseInfo;
    };
    EXPECT_EQ(poligon("x"), 0);
    EXPECT_EQ(poligon("1.5"), 2);
    EXPECT_EQ(poligon("2.5"), 2);    // ties to even
    EXPECT_EQ(poligon("40000"), 1);  // too large: skipped
    EXPECT_EQ(poligon("7"), 1);      // no such state
}

TEST(SettingsFile, ReadingOptionsBehaveAsOneGroup) {
    const auto v = load("M\xDDRA1...:-1\r\n");  // a non-zero number is set
    EXPECT_TRUE(v.firstReadings && !v.bothReadings);
    EXPECT_TRUE(load("M\xDDRA1...:False\r\nM\xDDRA2...:False\r\nORTALAMA:False\r\n").bothReadings);
    const auto x = load("M\xDDRA1...:yes\r\nM\xDDRA2...:TRUE\r\n");  // "yes" is skipped
    EXPECT_TRUE(!x.firstReadings && x.secondReadings);
    EXPECT_EQ(parseBoolean("1x"), std::nullopt);
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

}  // namespace
}  // namespace velkar::shell
