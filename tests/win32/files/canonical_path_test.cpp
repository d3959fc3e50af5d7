// A path's one name, on real folders: what the uninstaller compares.

#include "files/canonical_path_win.h"

#include "win_test_files.h"

#include <gtest/gtest.h>

#include <string>

TEST(CanonicalPath, APathIsComparedAsWhatItNames) {
    TempFolder folder;
    const std::string base = CanonicalFolder(folder.Path());
    ASSERT_FALSE(base.empty());
    ASSERT_TRUE(CreateDirectoryA((folder / "Long Folder Name").c_str(), nullptr));
    WriteBytes(folder / "Long Folder Name\\Game Data.dat", "x");
    char shortName[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameA((folder / "Long Folder Name\\Game Data.dat").c_str(), shortName,
                                MAX_PATH),
              0u);
    std::string lower = base;
    lower[0] = static_cast<char>(lower[0] - 'A' + 'a');
    const std::string named = base + "Long Folder Name\\Game Data.dat";
    const struct {
        std::string path;
        std::string canonical;
    } rows[] = {
        {named, named},
        {shortName, named},
        {base + "Long Folder Name\\.\\Sub\\..\\Game Data.dat", named},
        {lower + "long folder name\\GAME DATA.DAT", named},
        {base + "Long Folder Name\\", base + "Long Folder Name"},
        // What does not exist keeps its spelling once its folders are named.
        {base + "long folder name\\New\\..\\Later.dat", base + "Long Folder Name\\Later.dat"},
        {"Long Folder Name\\Game Data.dat", ""}, // not a full path
        {"\\\\?\\" + named, ""},
        {base + "*.dat", ""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(CanonicalPath(row.path), row.canonical) << row.path;
}
