#include "link/port_list.h"

#include <gtest/gtest.h>

namespace corvane::link {
namespace {

PortList ports(std::initializer_list<const char*> names, bool withVirtual = true)
{
    PortList list;
    for (const char* name : names) {
        list.push_back(entryForDevice(name));
    }
    if (withVirtual) {
        list.push_back(virtualPortEntry());
    }
    return list;
}

TEST(PortList, PortNumberIsTakenFromTheFourthCharacter)
{
    const struct
    {
        const char* name;
        std::string numberText;
        std::optional<int> number;
        std::string id;
    } cases[] = {
        {"COM1", "1", 1, "1"},
        {"COM3", "3", 3, "3"},
        {"COM10", "10", 10, "10"},
        {"COM12", "12", 12, "12"},
        {"COM255", "255", 255, "255"},
        {"COM 7", "7", 7, "7"}, // blanks are trimmed
        {"COM1234", "123", std::nullopt, "COM1234"}, // longer than three digits: listed by name
        {"COM0", "0", std::nullopt, "COM0"},
        {"COM", "", std::nullopt, "COM"},
        {"ttyUSB0", "USB", std::nullopt, "ttyUSB0"},
        {"ttyS0", "S0", std::nullopt, "ttyS0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(portNumberText(c.name), c.numberText) << c.name;
        EXPECT_EQ(comPortNumber(c.name), c.number) << c.name;
        EXPECT_EQ(entryForDevice(c.name).id, c.id) << c.name;
    }
}

TEST(PortList, Com1AndCom10AreDistinctPorts)
{
    const PortList list = ports({"COM1", "COM10"});
    EXPECT_EQ(portItemText(list[0], model::Language::English), "COM1");
    EXPECT_EQ(portItemText(list[1], model::Language::English), "COM10");
    EXPECT_TRUE(portExists(list, "1"));
    EXPECT_TRUE(portExists(list, "10"));
    EXPECT_FALSE(portExists(list, "0"));
    EXPECT_FALSE(portExists(list, ""));
    EXPECT_EQ(startupPortCheck("10", list), "10");
    EXPECT_EQ(startupPortCheck("1", list), "1");
}

TEST(PortList, StartupCheckReplacesAPortThatIsNoLongerListed)
{
    const struct
    {
        const char* name;
        std::string configured;
        PortList list;
        std::string expected;
    } cases[] = {
        {"unplugged port, COM1 and COM3 listed", "7", ports({"COM1", "COM3"}), "1"},
        {"configured port still there", "3", ports({"COM1", "COM3"}), "3"},
        {"no port at all", "7", ports({}), ""},
        {"empty list without the virtual radio", "7", ports({}, false), ""},
        {"none configured", "", ports({"COM4"}), "4"},
        {"unplugged device by name", "ttyUSB1", ports({"ttyUSB0", "ttyS0"}), "ttyUSB0"},
        {"virtual radio configured", "virtual", ports({"COM1"}), "virtual"},
        {"virtual radio is never chosen for the user", "ttyUSB0", ports({}), ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(startupPortCheck(c.configured, c.list), c.expected) << c.name;
    }
    // NT 6.0 skips the check (never true on this platform).
    EXPECT_EQ(startupPortCheck("7", ports({"COM1"}), true), "7");
}

TEST(PortList, FirstPortIsZeroForAnEmptyList)
{
    EXPECT_EQ(firstPort({}), "");
    EXPECT_EQ(firstPort(ports({})), "");
    EXPECT_EQ(firstPort(ports({"ttyUSB0", "COM2"})), "ttyUSB0");
}

TEST(PortList, FixedListOffersCom1ToCom255)
{
    const PortList list = fixedPortList();
    ASSERT_EQ(list.size(), 255U);
    EXPECT_EQ(list.front().id, "1");
    EXPECT_EQ(list.back().id, "255");
    EXPECT_EQ(portItemText(list.back(), model::Language::English), "COM255");
}

TEST(PortList, TextsForListsAndTheStatusBar)
{
    const PortEntry usb = entryForDevice("ttyUSB0", "FT232R USB UART");
    EXPECT_EQ(portItemText(usb, model::Language::English), "ttyUSB0 (FT232R USB UART)");
    EXPECT_EQ(portItemText(entryForDevice("ttyS0"), model::Language::English), "ttyS0");
    EXPECT_EQ(portItemText(virtualPortEntry(), model::Language::English), "virtual radio");
    EXPECT_EQ(portItemText(virtualPortEntry(), model::Language::Chinese), "虚拟对讲机");

    EXPECT_EQ(statusBarPortText("3", model::Language::English), "COM3");
    EXPECT_EQ(statusBarPortText("3", model::Language::Chinese), "通信口3");
    EXPECT_EQ(statusBarPortText("", model::Language::English), "COM0");
    EXPECT_EQ(statusBarPortText("ttyUSB0", model::Language::English), "COM ttyUSB0");
    EXPECT_EQ(statusBarPortText("virtual", model::Language::English), "COM virtual radio");
}

} // namespace
} // namespace corvane::link
