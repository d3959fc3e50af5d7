// COPYDIR targets always lie in the install directory.

#include "files/directory_commands.h"

#include <gtest/gtest.h>

TEST(CopyDirTarget, DestDirPrefixAndItsSeparatorAreDropped) {
    EXPECT_EQ(CopyDirTargetArgument("*DESTDIR\\DATA"), "DATA *DESTDIR");
    EXPECT_EQ(CopyDirTargetArgument("*destdir\\DATA\\SUB"), "DATA\\SUB *DESTDIR");
    EXPECT_EQ(CopyDirTargetArgument("DATA"), "DATA *DESTDIR");
    EXPECT_EQ(CopyDirTargetArgument("*DESTDIR"), " *DESTDIR");
    // Another macro is no escape from the install directory.
    EXPECT_EQ(CopyDirTargetArgument("*WINDOWSDIR\\X"), "*WINDOWSDIR\\X *DESTDIR");
}
