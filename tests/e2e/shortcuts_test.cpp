// The sample CD's shortcuts, program group, uninstall entry and PATH line,
// looked for where the shell and the system list them after an install.

#include "e2e_files.h"
#include "e2e_support.h"

#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

using namespace e2e;

namespace {

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    LPITEMIDLIST list = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, &list))) {
        SHGetPathFromIDListA(list, path);
        CoTaskMemFree(list);
    }
    return path;
}

struct Link {
    bool loaded = false;
    std::string path, arguments, description;
};

Link ReadLink(const std::string &file) {
    Link fields;
    IShellLinkA *link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void **>(&link))))
        return fields;
    IPersistFile *persist = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&persist)))) {
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
        if (SUCCEEDED(persist->Load(wide, STGM_READ))) {
            char text[MAX_PATH] = {};
            fields.loaded = true;
            link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
            fields.path = text;
            text[0] = 0;
            link->GetArguments(text, MAX_PATH);
            fields.arguments = text;
            text[0] = 0;
            link->GetDescription(text, MAX_PATH);
            fields.description = text;
        }
        persist->Release();
    }
    link->Release();
    return fields;
}

std::string RegistryText(const std::string &subkey, const char *name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<no key>";
    char data[512] = {};
    DWORD size = sizeof data - 1;
    const LONG status =
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE *>(data), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? data : "<no value>";
}

std::string ReadFileText(const std::string &path) {
    return ReadBytes(path);
}

void WriteFileText(const std::string &path, const std::string &bytes) {
    ASSERT_TRUE(WriteBytes(path, bytes)) << path;
}

// The host's Liberation Mono with "Liberation" written over, in its ASCII
// and its UTF-16 names: a family no system has.
std::string RenamedFont(std::string font, const std::string &to) {
    const std::string from = "Liberation";
    std::string wideFrom, wideTo;
    for (std::size_t i = 0; i < from.size(); ++i) {
        wideFrom += std::string(1, '\0') + from[i];
        wideTo += std::string(1, '\0') + to[i];
    }
    for (const auto &[a, b] : {std::pair{from, to}, std::pair{wideFrom, wideTo}}) {
        for (std::size_t at = font.find(a); at != std::string::npos; at = font.find(a, at + 1))
            font.replace(at, a.size(), b);
    }
    return font;
}

bool SameNoCase(const std::string &a, const std::string &b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

} // namespace

TEST(Install, SampleCdListsItselfInTheShellAndTheSystem) {
    CoInitialize(nullptr);
    const std::string programs = ShellFolder(CSIDL_PROGRAMS);
    const std::string startup = ShellFolder(CSIDL_STARTUP);
    const std::string desktop = ShellFolder(CSIDL_DESKTOPDIRECTORY);
    ASSERT_FALSE(programs.empty());
    const std::string group = programs + "\\Morvel\\Demo Title";
    const std::string links[] = {
        group + "\\Demo Title.LNK", group + "\\Read me V.1.10 English on drive C.LNK",
        startup + "\\DEMO English on drive C.LNK", desktop + "\\Demo Title.lnk"};
    for (const std::string &link : links)
        DeleteFileA(link.c_str());
    const std::string batch = "C:\\AUTOEXEC.BAT";
    const std::string oldBatch = ReadFileText(batch);
    WriteFileText(batch, "@ECHO OFF\r\nPROMPT $P$G");

    ui::Program setup(kSetupExe, "D:\\democd");
    HWND window = WaitForMainWindow(setup);
    ASSERT_NE(window, nullptr);
    Sleep(100);
    ui::PostClick(window, 1012);
    const Box box = WaitForBox(setup, 60000);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, "Setup is finished.");
    PostMessageA(box.window, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(setup.WaitExit(15000), 0u);

    const std::string installed = "C:\\Demo Title\\";
    const Link demo = ReadLink(links[0]);
    ASSERT_TRUE(demo.loaded) << links[0];
    EXPECT_TRUE(SameNoCase(demo.path, installed + "DEMO.EXE")) << demo.path;
    EXPECT_EQ(demo.arguments, "-demo");
    EXPECT_EQ(demo.description, "Demo Title");
    const Link readme = ReadLink(links[1]);
    ASSERT_TRUE(readme.loaded) << links[1];
    EXPECT_TRUE(SameNoCase(readme.path, installed + "README.TXT")) << readme.path;
    EXPECT_EQ(readme.description, "Read me V.1.10 English on drive C");
    const Link started = ReadLink(links[2]);
    ASSERT_TRUE(started.loaded) << links[2];
    EXPECT_EQ(started.description, "DEMO");
    const Link desk = ReadLink(links[3]);
    ASSERT_TRUE(desk.loaded) << links[3];
    EXPECT_EQ(desk.description, "Demo Title");
    EXPECT_TRUE(SameNoCase(desk.path, installed + "DEMO.EXE")) << desk.path;

    const std::string key =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Demo Title V.1.10 on C";
    EXPECT_EQ(RegistryText(key, "DisplayName"), "Demo Title V.1.10 on C");
    EXPECT_EQ(RegistryText(key, "UninstallString"), "\"C:\\Demo Title\\Uninst.exe\"");

    EXPECT_EQ(ReadFileText(batch),
              "@ECHO OFF\r\nPROMPT $P$GREM ********LIGNE AJOUTEE PAR MORVEL****************\r\n"
              "SET PATH=%PATH%;C:\\Demo Title\\\r\n");
    if (oldBatch == "<missing>")
        DeleteFileA(batch.c_str());
    else
        WriteFileText(batch, oldBatch);
    CoUninitialize();
}

TEST(Install, ScriptFontIsInstalledBeforeTheWindowOpens) {
    const std::string host = ReadFileText("E:\\system-font\\HOSTFONT.TTF");
    if (host == "<missing>")
        GTEST_SKIP() << "no host font to rename";
    CoInitialize(nullptr);
    const std::string family = "Demo" + std::to_string(100000 + GetTickCount() % 900000);
    const std::string file = family + ".TTF";
    auto files = ValidCd('A');
    files[file] = RenamedFont(host, family);
    files["SETUP.INF"] = "INSTALL FONT " + file + " *SOURCEDIR " + family +
                         " Mono\r\nPC_INSTALL FONT " + file + " *SOURCEDIR " + family +
                         " Mono\r\nALLDONE\r\n";
    Cd cd("install-font", files);
    const std::string installed = ShellFolder(CSIDL_FONTS) + "\\" + file;

    ui::Program setup(kSetupExe, cd.Dir());
    HWND window = WaitForMainWindow(setup);
    ASSERT_NE(window, nullptr);
    // No failure box came up on the way: the main window is the first.
    EXPECT_EQ(ReadFileText(installed), files[file]);
    QuitAndExpectEnd(setup, window);
    DeleteFileA(installed.c_str());
    CoUninitialize();
}
