#include <gtest/gtest.h>

#include "platform/hid/hidpaths.h"

namespace orvane {
namespace {

TEST(HidPaths, CollectionsNumberedOnlyWithinInterfacesThatHaveSeveral) {
    const auto paths = describeInterfaces({{"/dev/hidraw2", 0},
                                           {"/dev/hidraw3", 1},
                                           {"/dev/hidraw3", 1},
                                           {"/dev/hidraw3", 1},
                                           {"/dev/hidraw3", 1},
                                           {"/dev/hidraw5", 3},
                                           {"/dev/hidraw9", -1}},
                                          0x04D9, 0xA12D);
    ASSERT_EQ(paths.size(), 7u);
    EXPECT_EQ(paths[0].path, "hid#vid_04d9&pid_a12d&mi_00#/dev/hidraw2");
    EXPECT_EQ(paths[1].path, "hid#vid_04d9&pid_a12d&mi_01&col01#/dev/hidraw3");
    EXPECT_EQ(paths[4].path, "hid#vid_04d9&pid_a12d&mi_01&col04#/dev/hidraw3");
    EXPECT_EQ(paths[5].path, "hid#vid_04d9&pid_a12d&mi_03#/dev/hidraw5");
    EXPECT_EQ(paths[6].path, "hid#vid_04d9&pid_a12d#/dev/hidraw9");
    EXPECT_EQ(paths[4].node, "/dev/hidraw3");
    // The selectors: "mi_03" only on the command interface, "ol04" only on collection 4.
    for (std::size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(paths[i].path.find("mi_03") != std::string::npos, i == 5) << paths[i].path;
        EXPECT_EQ(paths[i].path.find("ol04") != std::string::npos, i == 4) << paths[i].path;
    }
}

TEST(HidPaths, ReportIdItemsAreFoundAndMalformedDescriptorsAreSafe) {
    struct Row {
        std::vector<std::uint8_t> descriptor;
        bool numbered;
    };
    const Row rows[] = {
        {{}, false},
        {{0x85}, true},                                // truncated Report ID item still counts
        {{0xFE}, false},                               // truncated long item
        {{0xFE, 0xFF, 0x00}, false},                   // long item claiming more than there is
        {{0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0xC0}, false},
        {{0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x04, 0xC0}, true},
        {{0x06, 0x85, 0x00}, false},                   // 0x85 as data of another item
    };
    for (const Row& row : rows) EXPECT_EQ(descriptorUsesReportIds(row.descriptor), row.numbered);
}

TEST(HidPaths, UdevPathsOfThisKeyboardOnly) {
    EXPECT_TRUE(isKeyboardDevpath("/devices/pci0000:00/usb1/1-2/1-2:1.3/0003:04D9:A12D.0007/hidraw/hidraw5"));
    EXPECT_TRUE(isKeyboardDevpath("/devices/x/0003:04d9:a12d.000A/hidraw/hidraw1"));
    EXPECT_FALSE(isKeyboardDevpath("/devices/x/0003:04D9:A12E.0007/hidraw/hidraw5"));
    EXPECT_FALSE(isKeyboardDevpath("/devices/x/0003:046D:C52B.0003/hidraw/hidraw0"));
    EXPECT_FALSE(isKeyboardDevpath(""));
}

TEST(HidPaths, OnlyHidrawNodesAreOpened) {
    for (const char* bad : {"", "/dev/null", "/dev/hidraw", "/dev/hidraw1a", "/dev/hidraw/../sda", "hidraw1",
                            "/dev/hidraw-1", "/dev/hidraw12345678", "/tmp/dev/hidraw1"}) {
        EXPECT_FALSE(isHidrawNodeName(bad)) << bad;
    }
    EXPECT_TRUE(isHidrawNodeName("/dev/hidraw0"));
    EXPECT_TRUE(isHidrawNodeName("/dev/hidraw15"));
}

TEST(HotplugEvents, BurstsFoldIntoOneEach) {
    using E = HotplugEvent;
    EXPECT_EQ(foldHotplugEvents({E::Arrival, E::Arrival, E::Arrival, E::Removal, E::Removal, E::Arrival}),
              (std::vector<E>{E::Arrival, E::Removal, E::Arrival}));
    EXPECT_TRUE(foldHotplugEvents({}).empty());
}

}  // namespace
}  // namespace orvane
