// A path's one name, on real folders: what the uninstaller compares.

#include "files/canonical_path_win.h"

#include "win_test_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(CanonicalPath, ALinkIsFollowedOnlyOnTheWayToATrustedFolder) {
    TempFolder folder;
    const std::string base = CanonicalFolder(folder.Path());
    ASSERT_TRUE(CreateDirectoryA((folder / "Elsewhere").c_str(), nullptr));
    WriteBytes(folder / "Elsewhere\\SYSTEM.DLL", "x");
    const std::string link = base + "Product\\Link";
    ASSERT_TRUE(CreateDirectoryA((folder / "Product").c_str(), nullptr));
    using CreateLink = BOOLEAN(WINAPI *)(LPCSTR, LPCSTR, DWORD);
    const auto create = reinterpret_cast<CreateLink>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA")));
    // Wine 8 answers TRUE without making the link.
    if (!create || !create(link.c_str(), (base + "Elsewhere").c_str(), 1 /* a folder */) ||
        GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no symbolic links here";
    const std::vector<std::string> product = {base + "Product\\"};
    EXPECT_EQ(CanonicalPathWithin(link + "\\SYSTEM.DLL", product), "");
    EXPECT_EQ(CanonicalPathWithin(link, product), link); // removed as the link it is
    const std::vector<std::string> throughIt = {link + "\\"};
    EXPECT_EQ(CanonicalPathWithin(link + "\\SYSTEM.DLL", throughIt), link + "\\SYSTEM.DLL");
    RemoveDirectoryA(link.c_str());
}
