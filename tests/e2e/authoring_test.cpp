// CDs made the way the author's guide tells install as their folders would:
// the walk-through's CD (docs/walkthrough.md, followed by run-authoring into
// D:\guide\mycd) and the sample CD's disc image made by scripts/cd-image and
// unpacked into D:\image.

#include "e2e_files.h"
#include "e2e_support.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

// Installs from the CD into `target` and compares the files with `source`.
void ExpectInstalls(const std::string &cd, const std::string &target, const std::string &source,
                    std::initializer_list<const char *> files) {
    RemoveTree(target);
    ASSERT_NO_FATAL_FAILURE(InstallAndConfirm(cd, "Setup is finished."));
    for (const char *file : files)
        EXPECT_EQ(ReadBytes(target + "\\" + file), ReadBytes(source + "\\" + file)) << file;
}

TEST(Authoring, WalkThroughCdInstalls) {
    ExpectInstalls("D:\\guide\\mycd", "C:\\Pocket Atlas", "D:\\guide\\mycd\\ATLAS",
                   {"README.TXT", "MAPS\\EUROPE.TXT", "MAPS\\ASIA.TXT", "Uninst.exe"});
}

TEST(Authoring, SampleCdImageInstalls) {
    ExpectInstalls("D:\\image", "C:\\Demo Title", "D:\\democd\\DATA",
                   {"README.TXT", "DEMO.EXE", "MILLION.DAT", "IMAGES\\TITLE.BMP",
                    "IMAGES\\LEVELS\\LEVEL2.DAT", "SOUNDS\\INTRO.WAV", "Uninst.exe"});
}

} // namespace
