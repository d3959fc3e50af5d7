// The sample CD's shortcuts, program group, uninstall entry and PATH line,
// looked for where the shell and the system list them after an install.

#include "e2e_files.h"
#include "e2e_support.h"
#include "shortcut.h"

#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

using namespace e2e;

namespace {

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

DWORD RegistryNumber(const std::string &subkey, const char *name) {
    DWORD value = 0xFFFFFFFF, size = sizeof value;
    RegGetValueA(HKEY_LOCAL_MACHINE, subkey.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value,
                 &size);
    return value;
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
    const std::string programs = ui::ShellFolder(CSIDL_PROGRAMS);
    const std::string startup = ui::ShellFolder(CSIDL_STARTUP);
    const std::string desktop = ui::ShellFolder(CSIDL_DESKTOPDIRECTORY);
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
    // The product's font, as if never installed: its file and (the setup
    // runs as Windows 98) its registry value.
    const std::string font = ui::ShellFolder(CSIDL_FONTS) + "\\DEMOMONO.TTF";
    const std::string fontsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";
    DeleteFileA(font.c_str());
    HKEY fonts = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, fontsKey.c_str(), 0, KEY_SET_VALUE, &fonts) ==
        ERROR_SUCCESS) {
        RegDeleteValueA(fonts, "DemoLetter Mono");
        RegCloseKey(fonts);
    }
    ForgetStandIns();

    ASSERT_NO_FATAL_FAILURE(InstallAndConfirm("D:\\democd", "Setup is finished."));

    const std::string installed = "C:\\Demo Title\\";
    const ui::Shortcut demo = ui::ReadShortcut(links[0]);
    ASSERT_TRUE(demo.loaded) << links[0];
    EXPECT_TRUE(SameNoCase(demo.target, installed + "DEMO.EXE")) << demo.target;
    EXPECT_EQ(demo.arguments, "-demo");
    EXPECT_EQ(demo.description, "Demo Title");
    const ui::Shortcut readme = ui::ReadShortcut(links[1]);
    ASSERT_TRUE(readme.loaded) << links[1];
    EXPECT_TRUE(SameNoCase(readme.target, installed + "README.TXT")) << readme.target;
    EXPECT_EQ(readme.description, "Read me V.1.10 English on drive C");
    const ui::Shortcut started = ui::ReadShortcut(links[2]);
    ASSERT_TRUE(started.loaded) << links[2];
    EXPECT_EQ(started.description, "DEMO");
    const ui::Shortcut desk = ui::ReadShortcut(links[3]);
    ASSERT_TRUE(desk.loaded) << links[3];
    EXPECT_EQ(desk.description, "Demo Title");
    EXPECT_TRUE(SameNoCase(desk.target, installed + "DEMO.EXE")) << desk.target;

    const std::string key =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Demo Title V.1.10 on C";
    EXPECT_EQ(RegistryText(key, "DisplayName"), "Demo Title V.1.10 on C");
    EXPECT_EQ(RegistryText(key, "UninstallString"), "\"C:\\Demo Title\\Uninst.exe\"");
    EXPECT_EQ(RegistryText(key, "QuietUninstallString"), "\"C:\\Demo Title\\Uninst.exe\" /S");
    EXPECT_EQ(RegistryText(key, "InstallLocation"), "C:\\Demo Title");
    EXPECT_EQ(RegistryText(key, "DisplayVersion"), "1.10");
    EXPECT_EQ(RegistryNumber(key, "NoModify"), 1u);
    EXPECT_EQ(RegistryNumber(key, "NoRepair"), 1u);
    // The size in KiB: at least the program it installed.
    EXPECT_GE(RegistryNumber(key, "EstimatedSize"),
              (ReadFileText(installed + "DEMO.EXE").size() + 1023) / 1024);

    EXPECT_EQ(ReadFileText(batch),
              "@ECHO OFF\r\nPROMPT $P$GREM ********LIGNE AJOUTEE PAR MORVEL****************\r\n"
              "SET PATH=%PATH%;C:\\Demo Title\\\r\n");

    EXPECT_TRUE(ReadFileText(font) == ReadFileText("D:\\democd\\DATA\\DEMOMONO.TTF")); // no dump
    EXPECT_EQ(RegistryText(fontsKey, "DemoLetter Mono"), "DEMOMONO.TTF");

    // The outside programs, stand-ins that record how they were started:
    // the web control's registration program from its CD folder, the
    // component installer (the system had no copy of the component), and
    // the product's registration tool with its "|" argument.
    EXPECT_EQ(StandInRecord("REGSVR32.EXE", "Command line"),
              "D:\\democd\\DATA\\Vorandel\\REGSVR32.EXE \"C:\\Demo Title\\WEB\\WEBPRO32.OCX\" /S");
    EXPECT_EQ(StandInRecord("REGSVR32.EXE", "Folder"), "D:\\democd");
    EXPECT_TRUE(Exists(installed + "WEB\\WEBPRO32.OCX"));
    EXPECT_TRUE(Exists(installed + "WEB\\MSVCRT.DLL"));
    EXPECT_FALSE(Exists(installed + "MSVCRT.DLL")); // never beside the uninstaller
    EXPECT_EQ(StandInRecord("COMPSET.EXE", "Command line"),
              "D:\\democd\\DATA\\COMPONENT\\COMPSET.EXE");
    EXPECT_EQ(StandInRecord("COMPSET.EXE", "Folder"), "D:\\democd\\DATA");
    EXPECT_NE(StandInRecord("COMPSET.EXE", "Installed").find("DEMOCOMP.DLL"), std::string::npos);
    EXPECT_EQ(StandInRecord("REGISTER.EXE", "Command line"),
              "D:\\democd\\DATA\\REGISTER.EXE /welcome");
    EXPECT_EQ(StandInRecord("REGISTER.EXE", "Folder"), "D:\\democd\\DATA");
    if (oldBatch == "<missing>")
        DeleteFileA(batch.c_str());
    else
        WriteFileText(batch, oldBatch);
    CoUninitialize();
}

// Each family of Windows lists the font in its own key, so that it is
// loaded again after a restart.
TEST(Install, ScriptFontIsInstalledBeforeTheWindowOpensAndListedForTheNextStart) {
    const std::string host = ReadFileText("E:\\system-font\\HOSTFONT.TTF");
    if (host == "<missing>")
        GTEST_SKIP() << "no host font to rename";
    CoInitialize(nullptr);
    const std::string key95 = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";
    const std::string keyNt = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
    // Wine runs setup.exe as Windows 98 and a copy of another name as NT.
    const struct {
        const char *name;
        const char *exe; // in the CD folder; "" for setup.exe as built
        const std::string &key, &otherKey;
        const char *valueSuffix, *otherSuffix;
    } kCases[] = {
        {"98", "", key95, keyNt, "", " (TrueType)"},
        {"nt", "SETUPNT.EXE", keyNt, key95, " (TrueType)", ""},
    };
    for (const auto &c : kCases) {
        SCOPED_TRACE(c.name);
        // Ten letters in place of "Liberation", new on every run.
        const std::string family =
            "Demo" + std::to_string(10000 + GetTickCount() % 90000) + c.name[0];
        const std::string face = family + " Mono";
        const std::string file = family + ".TTF";
        auto files = ValidCd('A');
        files[file] = RenamedFont(host, family);
        files["SETUP.INF"] = "INSTALL FONT " + file + " *SOURCEDIR " + face +
                             "\r\nPC_INSTALL FONT " + file + " *SOURCEDIR " + face +
                             "\r\nALLDONE\r\n";
        Cd cd(std::string("install-font-") + c.name, files);
        std::string exe = kSetupExe;
        if (*c.exe) {
            exe = cd.Path(c.exe);
            ASSERT_TRUE(CopyFileA(kSetupExe, exe.c_str(), FALSE));
        }
        const std::string installed = ui::ShellFolder(CSIDL_FONTS) + "\\" + file;

        ui::Program setup(exe, cd.Dir());
        HWND window = WaitForMainWindow(setup);
        ASSERT_NE(window, nullptr);
        // No failure box came up on the way: the main window is the first.
        EXPECT_EQ(ReadFileText(installed), files[file]);
        EXPECT_EQ(RegistryText(c.key, (face + c.valueSuffix).c_str()), file);
        EXPECT_EQ(RegistryText(c.otherKey, (face + c.otherSuffix).c_str()), "<no value>");
        QuitAndExpectEnd(setup, window);
        DeleteFileA(installed.c_str());
        HKEY fonts = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, c.key.c_str(), 0, KEY_SET_VALUE, &fonts) ==
            ERROR_SUCCESS) {
            RegDeleteValueA(fonts, (face + c.valueSuffix).c_str());
            RegCloseKey(fonts);
        }
    }
    CoUninitialize();
}

// A product with a 100-character name whose program has a blank in its file
// name: the installation reaches its end with the whole name in the
// uninstall entry and the desktop link to the program.
TEST(Install, LongProductNameAndAProgramWithABlank) {
    CoInitialize(nullptr);
    const std::string product = "Demo " + std::string(95, 'x');
    auto files = ValidCd('A');
    files["PXD.INI"] = "[general]\r\nproduct=" + product +
                       "\r\nsourcedirectory=.\r\ninstalldirectory=\\Demo|Blank\r\n"
                       "[configuration]\r\ndiskspacereq=12\r\n";
    files["MY GAME.EXE"] = "MZ my game";
    files["SETUP.INF"] = "MKDIR *DESTDIR\r\nPROGRESS START\r\nCOPY MY|GAME.EXE *DESTDIR\r\n"
                         "PROGRESS END\r\n"
                         "PC_ADDLINK MY|GAME.EXE *DESTDIR *PRODUCT *DESKTOP\r\nALLDONE\r\n";
    Cd cd("long-product", files);
    const std::string desktopLink =
        ui::ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\" + product.substr(0, 79) + ".lnk";

    ASSERT_NO_FATAL_FAILURE(InstallAndConfirm(cd.Dir(), "Setup is finished."));

    const std::string key =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + product + " V.1.10 on C";
    EXPECT_EQ(RegistryText(key, "DisplayName"), product + " V.1.10 on C");
    const ui::Shortcut desk = ui::ReadShortcut(desktopLink);
    EXPECT_TRUE(desk.loaded) << desktopLink;
    EXPECT_TRUE(SameNoCase(desk.target, "C:\\Demo Blank\\MY GAME.EXE")) << desk.target;

    DeleteFileA(desktopLink.c_str());
    RemoveTree("C:\\Demo Blank");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
    CoUninitialize();
}

TEST(Install, MalformedFontLineEndsTheRunBeforeTheWindow) {
    auto files = ValidCd('A');
    files["SETUP.INF"] = "INSTALL FONT DEMO.TTF *NOWHERE Demo Face\r\nALLDONE\r\n";
    Cd cd("font-malformed", files);
    ui::Program setup(kSetupExe, cd.Dir());
    const Box box = WaitForBox(setup);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, "Wrong file format");
    ConfirmAndExpectEnd(setup, box);
}
