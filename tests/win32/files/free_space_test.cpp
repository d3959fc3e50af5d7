// Free space as the drive list counts it, on the drives of the Wine world.

#include "ui/drive_entry.h"
#include "ui/drive_list.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(FreeSpace, HardDiskRoomIsTheSystemsCappedBelowTwoGigabytes) {
    ULARGE_INTEGER callerFree{}, total{}, totalFree{};
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &callerFree, &total, &totalFree));
    const std::uint32_t counted = FreeBytesOfRoot("C:\\");
    const std::uint32_t expected = CapFreeBytes(totalFree.QuadPart);
    if (expected == kFreeSpaceCap) {
        EXPECT_EQ(counted, kFreeSpaceCap);
    } else {
        // Other programs write meanwhile: a few megabytes either way.
        EXPECT_NEAR(static_cast<double>(counted), static_cast<double>(expected), 16.0 * 1048576);
    }
}

TEST(FreeSpace, ADriveThatIsNotThereHasNoRoom) {
    // Both system calls fail: the drive counts as full, never as garbage.
    EXPECT_EQ(FreeBytesOfRoot("Q:\\"), 0u);
}
