#include "ui/source_media.h"

#include "core/app_state.h"
#include "core/ascii.h"
#include "messages/file_errors.h"
#include "messages/catalog.h"
#include "messages/file_error.h"
#include "messages/language.h"
#include "messages/message_dialog.h"
#include "messages/text_ids.h"
#include "script/prepass.h"
#include "ui/marker_name.h"
#include "files/product_settings_win.h"
#include "ui/product_values.h"
#include "ui/source_files.h"
#include "core/run_state.h"
#include "platform/shell_library.h"
#include "system/special_folders_win.h"

namespace {

enum class Probe { Found, Missing, Failed };

// Whether a file is there; a failure other than "not there" (a drive that
// cannot be read, access denied) is reported with its cause.
Probe ProbeFile(const std::string &path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? Probe::Missing : Probe::Found;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return Probe::Missing;
    ShowFileError(FileErrorCauseOfWin32(error), path);
    return Probe::Failed;
}

bool ProbeFileQuietly(const std::string &path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void Refuse(HWND dialog, const char *text) {
    ReportFailure(text);
    ShowBox(dialog, text, "Setup Morvel", MB_OK | MB_ICONEXCLAMATION);
}

std::string WindowsDirectory() {
    char buffer[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
    return WithBackslash(std::string(buffer, length < sizeof buffer ? length : 0));
}

std::string SystemDirectory() {
    char buffer[MAX_PATH];
    const UINT length = GetSystemDirectoryA(buffer, sizeof buffer);
    return WithBackslash(std::string(buffer, length < sizeof buffer ? length : 0));
}

// The desktop folder as the shell names it for parsing.
std::string DesktopDirectory() {
    std::string result;
    const ShellFunctions &shell = ShellCalls();
    LPMALLOC shellMalloc = nullptr;
    if (!shell.getMalloc || !shell.getSpecialFolderLocation || !shell.getDesktopFolder ||
        FAILED(shell.getMalloc(&shellMalloc)))
        return result;
    LPITEMIDLIST item = nullptr;
    IShellFolder *desktop = nullptr;
    if (SUCCEEDED(shell.getSpecialFolderLocation(nullptr, ShortcutFolderOf(CSIDL_DESKTOPDIRECTORY),
                                                 &item)) &&
        SUCCEEDED(shell.getDesktopFolder(&desktop))) {
        STRRET name{};
        name.uType = STRRET_CSTR;
        if (SUCCEEDED(desktop->GetDisplayNameOf(item, SHGDN_FORPARSING, &name))) {
            char buffer[MAX_PATH] = {};
            switch (name.uType) {
            case STRRET_WSTR:
                WideCharToMultiByte(CP_ACP, 0, name.pOleStr, -1, buffer, sizeof buffer, nullptr,
                                    nullptr);
                shellMalloc->Free(name.pOleStr);
                break;
            case STRRET_OFFSET:
                lstrcpynA(buffer, reinterpret_cast<const char *>(item) + name.uOffset,
                          sizeof buffer);
                break;
            default:
                lstrcpynA(buffer, name.cStr, sizeof buffer);
                break;
            }
            result = buffer;
        }
    }
    if (desktop)
        desktop->Release();
    if (item)
        shellMalloc->Free(item);
    shellMalloc->Release();
    return WithBackslash(result);
}

std::string FirstMarkerName(const std::string &pattern) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    FindClose(search);
    return found.cFileName;
}

void SettleLanguage(char markerLetter) {
    AppState &app = App();
    app.languageIndex = LanguageIndexOf(markerLetter);
    // An unavailable catalog stays unavailable for the whole run.
    if (app.languageLetter != '?')
        app.languageLetter = MarkerLetterOf(app.languageIndex);
}

} // namespace

std::string CurrentDirectory() {
    char buffer[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer)
        return "\\";
    return WithBackslash(std::string(buffer, length));
}

void SettleSourceFolder() {
    const std::string current = CurrentDirectory();
    if (ProbeFileQuietly(current + std::string(kSettingsFileName))) {
        Log().Line("Source folder: " + current + " (the current folder)");
        return;
    }
    char program[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
    std::string own = length > 0 && length < sizeof program ? std::string(program, length) : "";
    const std::size_t slash = own.find_last_of('\\');
    own = slash == std::string::npos ? std::string() : own.substr(0, slash + 1);
    if (!own.empty() && ProbeFileQuietly(own + std::string(kSettingsFileName)) &&
        SetCurrentDirectoryA(own.c_str())) {
        Log().Line("Source folder: " + CurrentDirectory() +
                   " (setup's own folder; the current folder " + current + " holds no PXD.INI)");
        return;
    }
    Log().Line("Source folder: none found: no PXD.INI in the current folder " + current +
               (own.empty() ? std::string() : " nor in setup's own folder " + own));
}

bool LocateSource(HWND dialog, RunState &run) {
    run.dirs.current = CurrentDirectory();
    run.settingsPath = run.dirs.current + std::string(kSettingsFileName);
    const std::string markerPattern = run.dirs.current + std::string(kMarkerPattern);

    switch (ProbeFile(run.settingsPath)) {
    case Probe::Missing:
        Refuse(dialog, "Can't find \"PXD.INI\" file");
        return false;
    case Probe::Failed:
        return false;
    case Probe::Found:
        break;
    }

    run.dirs.source = SourceDirectoryOf(
        run.dirs.current, ProductSetting(run.settingsPath, "general", "sourcedirectory"));
    run.dirs.windows = WindowsDirectory();
    run.dirs.system = SystemDirectory();
    run.dirs.desktop.clear();
    run.dirs.findDesktop = DesktopDirectory;

    run.scriptPath.clear();
    for (const std::string_view name : kScriptFileNames) {
        const std::string candidate = run.dirs.current + std::string(name);
        const Probe probe = ProbeFile(candidate);
        if (probe == Probe::Failed)
            return false;
        if (probe == Probe::Found) {
            run.scriptPath = candidate;
            break;
        }
    }
    if (run.scriptPath.empty()) {
        Refuse(dialog, "Can't find SETUP.INF or SCRIPT.INF");
        return false;
    }

    run.dirs.install =
        BarsToBlanks(ProductSetting(run.settingsPath, "general", "installdirectory"));

    // The name is read in capitals: a marker stored as "demoa110.cd1" is
    // still English.
    std::string marker = FirstMarkerName(markerPattern);
    CharUpperBuffA(marker.data(), static_cast<DWORD>(marker.size()));
    const MarkerInfo info = ParseMarkerName(marker);
    if (!info.diskOne) {
        // The language is not settled yet, so this is always the first slot.
        MessageRequest request;
        request.mode = 2;
        request.number = kTextInsertDiskOne + App().languageIndex;
        request.width = 320;
        request.height = 200;
        ReportFailure(marker.empty() ? "No CD marker (*.CD?) in " + run.dirs.current
                                     : "Not the first disk: " + marker);
        ShowMessageDialog(dialog, request);
        return false;
    }
    run.diskOne = true;
    run.markerName = marker;
    run.productCode = info.productCode;

    switch (RunScriptPrePass(run)) {
    case PrePassOutcome::Done:
        break;
    case PrePassOutcome::Failed:
        Refuse(dialog, "Error In Script file");
        return false;
    case PrePassOutcome::Ended:
        return false;
    }

    SettleLanguage(info.languageLetter);
    OpenCatalog("SCRIPT.DBF", "SETUP.DBF", "NAME", "SECTION");

    run.productVersion = info.version;
    run.spaceFirstInstall =
        MegabytesToBytes(ProductSetting(run.settingsPath, "configuration", "diskspacereq"));
    const std::string reinstall =
        ProductSetting(run.settingsPath, "configuration", "diskspacereqreins");
    run.spaceReinstall = reinstall.empty() ? run.spaceFirstInstall : MegabytesToBytes(reinstall);
    run.spaceRequired = run.spaceFirstInstall;
    return true;
}
