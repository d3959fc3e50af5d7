#include "system/font_install.h"

#include "core/run_state.h"
#include "shortcut.h"
#include "win_test_files.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// A freely licensed font of the host, renamed so that its family is one
// that no system has: the host's fonts are visible to Wine.
constexpr char kHostFont[] = "E:\\system-font\\HOSTFONT.TTF"; // Liberation Mono

std::string Renamed(std::string font, const std::string &from, const std::string &to) {
    auto replace = [&font](const std::string &a, const std::string &b) {
        for (std::size_t at = font.find(a); at != std::string::npos;
             at = font.find(a, at + b.size()))
            font.replace(at, a.size(), b);
    };
    auto wide = [](const std::string &text) {
        std::string big;
        for (char c : text) {
            big += '\0';
            big += c;
        }
        return big;
    };
    replace(wide(from), wide(to));
    replace(from, to);
    return font;
}

int CALLBACK Found(const LOGFONTA *, const TEXTMETRICA *, DWORD, LPARAM count) {
    ++*reinterpret_cast<int *>(count);
    return 1;
}

bool FamilyKnown(const std::string &face) {
    int count = 0;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesA(screen, face.c_str(), Found, reinterpret_cast<LPARAM>(&count));
    ReleaseDC(nullptr, screen);
    return count > 0;
}

std::string FontsFolder() {
    return ui::ShellFolder(CSIDL_FONTS);
}

bool NtFamily() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

} // namespace

TEST(FontInstall, ANewFamilyIsCopiedAndUsableOnce) {
    const std::string host = ReadBytes(kHostFont);
    if (host == "<missing>")
        GTEST_SKIP() << "no Liberation Mono on this host";
    // Ten letters in place of "Liberation", different on every run.
    std::string family = "Setup" + std::to_string(10000 + GetTickCount() % 90000);
    const std::string face = family + " Mono";
    TempFolder folder;
    RunState run;
    run.dirs.source = folder.Path();
    run.dirs.current = folder.Path();
    const std::string file = family + ".TTF";
    WriteBytes(folder / file, Renamed(host, "Liberation", family));
    ASSERT_FALSE(FamilyKnown(face));

    InstallScriptFont(run, file, "", face);
    const std::string installed = FontsFolder() + "\\" + file;
    EXPECT_EQ(ReadBytes(installed), ReadBytes(folder / file));
    EXPECT_TRUE(FamilyKnown(face));
    if (NtFamily()) {
        // The NT family finds its fonts itself: no value for the face.
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts",
                          0, KEY_READ, &key) == ERROR_SUCCESS) {
            EXPECT_NE(RegQueryValueExA(key, face.c_str(), nullptr, nullptr, nullptr, nullptr),
                      ERROR_SUCCESS);
            RegCloseKey(key);
        }
    }

    // The same face again, from another file: the family is there, nothing
    // is copied.
    const std::string second = family + "2.TTF";
    WriteBytes(folder / second, ReadBytes(folder / file));
    InstallScriptFont(run, second, "", face);
    EXPECT_FALSE(Exists(FontsFolder() + "\\" + second));

    RemoveFontResourceA(installed.c_str());
    DeleteFileA(installed.c_str());
    HKEY key = nullptr;
    if (NtFamily() &&
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                      0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, (face + " (TrueType)").c_str());
        RegCloseKey(key);
    }
}
