// Free space as the drive list counts it, on the drives of the Wine world.

#include "platform/windows_family.h"
#include "ui/drive_entry.h"
#include "ui/drive_list.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(FreeSpace, HardDiskRoomIsTheSystemsCappedBelowTwoGigabytes) {
    std::uint32_t expected;
    if (platform::FindNewerFunction("kernel32.dll", "GetDiskFreeSpaceExA")) {
        ULARGE_INTEGER callerFree{}, total{}, totalFree{};
        ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &callerFree, &total, &totalFree));
        expected = CapFreeBytes(totalFree.QuadPart);
    } else {
        // Windows 95 before OSR2: the free clusters, which the system
        // reports below 2 GB there.
        DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
        ASSERT_TRUE(GetDiskFreeSpaceA("C:\\", &sectorsPerCluster, &bytesPerSector, &freeClusters,
                                      &clusters));
        expected = sectorsPerCluster * bytesPerSector * freeClusters;
    }
    const std::uint32_t counted = FreeBytesOfRoot("C:\\");
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
