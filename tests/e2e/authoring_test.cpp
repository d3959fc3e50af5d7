// CDs made the way the author's guide tells, each installed as its folder
// would be: the walk-through's CD (docs/walkthrough.md, followed by
// run-authoring into D:\guide\mycd) and the sample CD's disc image made by
// scripts/cd-image and unpacked into D:\image.

#include "e2e_files.h"
#include "e2e_support.h"
#include "shortcut.h"

#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

using namespace e2e;

namespace {

void ExpectInstalledFrom(const std::string &installDir, const std::string &sourceDir,
                         std::initializer_list<const char *> files) {
    for (const char *file : files) {
        EXPECT_EQ(ReadBytes(installDir + "\\" + file), ReadBytes(sourceDir + "\\" + file)) << file;
    }
}

TEST(Authoring, WalkThroughCdInstalls) {
    const std::string target = "C:\\Pocket Atlas";
    RemoveTree(target);
    ASSERT_NO_FATAL_FAILURE(InstallAndConfirm("D:\\guide\\mycd", "Setup is finished."));
    ExpectInstalledFrom(target, "D:\\guide\\mycd\\ATLAS",
                        {"README.TXT", "MAPS\\EUROPE.TXT", "MAPS\\ASIA.TXT", "Uninst.exe"});
    CoInitialize(nullptr);
    const std::string group = ui::ShellFolder(CSIDL_PROGRAMS) + "\\Pocket Atlas";
    EXPECT_TRUE(Exists(group + "\\Read me.LNK"));
    CoUninitialize();
    // The world as it was.
    DeleteFileA((group + "\\Read me.LNK").c_str());
    RemoveDirectoryA(group.c_str());
    RegDeleteKeyA(
        HKEY_LOCAL_MACHINE,
        "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pocket Atlas V.1.00 on C");
    RemoveTree(target);
}

TEST(Authoring, SampleCdImageInstalls) {
    const std::string target = "C:\\Demo Title";
    RemoveTree(target);
    ASSERT_NO_FATAL_FAILURE(InstallAndConfirm("D:\\image", "Setup is finished."));
    ExpectInstalledFrom(target, "D:\\democd\\DATA",
                        {"README.TXT", "DEMO.EXE", "MILLION.DAT", "IMAGES\\TITLE.BMP",
                         "IMAGES\\LEVELS\\LEVEL2.DAT", "SOUNDS\\INTRO.WAV", "Uninst.exe"});
    EXPECT_EQ(ReadBytes(target + "\\DEMOA110.CD1"), ReadBytes("D:\\democd\\DEMOA110.CD1"));
}

} // namespace
