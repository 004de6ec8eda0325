#include "platform/serial_settings.h"

#include <gtest/gtest.h>

namespace velkar {
namespace {

TEST(SettingsText, BuiltFromTheListsParsedOrRejectedWithAReason) {
    EXPECT_EQ(buildSettingsText("9600", "NONE", "8", "1"), "9600,n,8,1");
    EXPECT_EQ(buildSettingsText("19200", "EVEN", "7", "2"), "19200,e,7,2");
    EXPECT_EQ(buildSettingsText("9600", "ODD", "7", "1"), "9600,o,7,1");
    // A parity outside the three leaves its part out; the port then rejects the text.
    EXPECT_EQ(buildSettingsText("9600", "none", "8", "1"), "96008,1");
    EXPECT_EQ(parseSettingsText("9600,e,7,1"), (SerialSettings{9600, Parity::Even, 7, 1}));
    std::string why;
    EXPECT_FALSE(
        parseSettingsText("9600 ,n,8,1", &why));  // a trailing blank from the settings file
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(parseSettingsText("49,n,8,1"));  // 50 baud is the lowest rate a port takes
    EXPECT_TRUE(parseSettingsText("50,n,8,1"));
    for (const char* bad : {"96008,1", "abc,n,8,1", "9600,x,8,1", "9600,n,9,1", "9600,n,8,3", ""})
        EXPECT_FALSE(parseSettingsText(bad)) << bad;
}

TEST(PortText, NumberAfterTheFirstThreeCharactersOrADevicePath) {
    EXPECT_EQ(parsePortText("COM2"), (PortId{2, {}}));
    EXPECT_EQ(parsePortText("COM 12"), (PortId{12, {}}));
    EXPECT_EQ(parsePortText("COM 1 2"), (PortId{12, {}}));  // blanks are ignored
    for (const char* bad : {"COM", "COMx", "COM0", ""}) EXPECT_FALSE(parsePortText(bad)) << bad;
    EXPECT_EQ(parsePortText("/dev/ttyUSB0"), (PortId{0, "/dev/ttyUSB0"}));
}

}  // namespace
}  // namespace velkar
