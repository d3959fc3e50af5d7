#include "system/font_install.h"

#include "core/app_state.h"
#include "core/install_record.h"
#include "core/install_view.h"
#include "core/run_state.h"
#include "files/copy_engine.h"
#include "files/path_macros.h"
#include "messages/message_dialog.h"
#include "system/special_folders_win.h"

#include <windows.h>

#include <shlobj.h>

namespace {

// Where each family of Windows lists the fonts it loads at its start; the
// NT family names a TrueType font "<face> (TrueType)".
constexpr char kFontsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";
constexpr char kNtFontsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
constexpr char kNtFontSuffix[] = " (TrueType)";
constexpr char kFontFailed[] = "Font Installation Failed";
// No window may hold up the installation by not answering the broadcast.
constexpr UINT kBroadcastWaitMs = 2000;

// Fonts are installed by the pre-pass, before the main window is up: its
// messages have no owner and nothing of a run's window is there.
class NoWindowView : public InstallView {
public:
    void ShowProgress(const ProgressDisplay &) override {}
    void SetMessage(const std::string &) override {}
    void ShowWindow(bool) override {}
    void Alert(const std::string &text, const std::string &caption) override {
        ReportFailure(caption + ": " + text);
        ShowBox(nullptr, text, caption, MB_OK | MB_ICONEXCLAMATION);
    }
    int ShowMessage(const MessageRequest &request) override {
        return ShowMessageDialog(nullptr, request);
    }
    void RequestRestart() override {}
    void ShowImage(const ImageCommand &) override {}
    std::uint32_t FastTicks() const override { return GetTickCount(); }
    bool PumpMessage() override {
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else {
            Sleep(1);
        }
        return true;
    }
    void EndRun(int) override { ended_ = true; }
    bool RunEnded() const override { return ended_; }

private:
    bool ended_ = false;
};

int CALLBACK FirstFont(const LOGFONTA *font, const TEXTMETRICA *, DWORD, LPARAM found) {
    *reinterpret_cast<LOGFONTA *>(found) = *font;
    return 0;
}

bool FamilyExists(const std::string &faceName) {
    LOGFONTA found{};
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesA(screen, faceName.c_str(), FirstFont, reinterpret_cast<LPARAM>(&found));
    ReleaseDC(nullptr, screen);
    return found.lfFaceName[0] != '\0';
}

void BroadcastFontChange() {
    SendMessageTimeoutA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, kBroadcastWaitMs,
                        nullptr);
}

// 0 when the system cannot tell (then the font is left copied only).
DWORD PlatformId() {
    OSVERSIONINFOEXA extended{};
    extended.dwOSVersionInfoSize = sizeof extended;
    if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA *>(&extended)))
        return extended.dwPlatformId;
    OSVERSIONINFOA plain{};
    plain.dwOSVersionInfoSize = sizeof plain;
    if (GetVersionExA(&plain))
        return plain.dwPlatformId;
    return 0;
}

void Undo(const std::string &installed) {
    if (RemoveFontResourceA(installed.c_str()) < 1) {
        ReportFailure(std::string(kFontFailed) + ": " + installed);
        ShowBox(nullptr, kFontFailed, "Setup", MB_OK | MB_ICONEXCLAMATION);
    } else {
        BroadcastFontChange();
    }
    DeleteFileA(installed.c_str());
}

void RegistryFailed(const std::string &installed, const char *text, const std::string &where) {
    ReportFailure(std::string(text) + ": " + where);
    Undo(installed);
    ShowBox(nullptr, text, "Setup Morvel", MB_OK);
}

// Each family of Windows loads the fonts its key lists when it starts;
// without the value the font is gone after the next restart. False after
// an undo.
bool RegisterFont(const char *keyName, const std::string &valueName, const std::string &fontFile,
                  const std::string &installed) {
    const std::string where = std::string("HKLM\\") + keyName + " \"" + valueName + "\"";
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        RegistryFailed(installed, "Unable to open Registry Key", where);
        return false;
    }
    if (RegSetValueExA(key, valueName.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE *>(fontFile.c_str()),
                       static_cast<DWORD>(fontFile.size() + 1)) != ERROR_SUCCESS) {
        RegCloseKey(key);
        RegistryFailed(installed, "Unable to set Registry Key Value", where);
        return false;
    }
    if (RegFlushKey(key) != ERROR_SUCCESS) {
        RegDeleteValueA(key, valueName.c_str());
        RegCloseKey(key);
        RegistryFailed(installed, "Unable to close Registry Key", where);
        return false;
    }
    RegCloseKey(key);
    Log().Line("Font registered: " + where + " = " + fontFile);
    return true;
}

} // namespace

bool InstallScriptFont(RunState &run, const std::string &fontFile, const std::string &where,
                       const std::string &faceName) {
    NoWindowView view;
    const auto source = PrepareFileName(fontFile + " " + where, run.dirs, view);
    if (!source)
        return false;
    // A font already there needs no Fonts folder: asking the shell for it
    // first would load the shell's libraries into every run of a CD whose
    // font was installed before.
    if (FamilyExists(faceName))
        return true;
    const std::string fonts = SpecialFolderPath(CSIDL_FONTS);
    if (fonts.empty())
        return true; // the user was told; nothing goes to the root of the drive
    const std::string installed = fonts + "\\" + fontFile;
    CopyEngine engine(run.settings, view);
    if (!engine.CopieFichier(*source, installed, false)) {
        ReportFailure(std::string(kFontFailed) + ": " + *source + " -> " + installed);
        ShowBox(nullptr, kFontFailed, "Setup", MB_OK | MB_ICONEXCLAMATION);
        return true;
    }
    const DWORD platform = PlatformId();
    if (platform == 0)
        return true;
    const bool family95 = platform == VER_PLATFORM_WIN32_WINDOWS || platform == VER_PLATFORM_WIN32s;
    if (!(family95 ? RegisterFont(kFontsKey, faceName, fontFile, installed)
                   : RegisterFont(kNtFontsKey, faceName + kNtFontSuffix, fontFile, installed)))
        return true;
    AddFontResourceA(installed.c_str());
    BroadcastFontChange();
    RecordEntry entry;
    entry.kind = RecordKind::Font;
    entry.path = installed;
    RecordInstalled(entry);
    return true;
}
