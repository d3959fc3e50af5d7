// Uninst.exe: removes what the install record beside it says setup
// installed. Exit codes: 0 everything removed, 1 something was kept or waits
// for a restart, 2 nothing was done.

#include "core/app_state.h"
#include "core/ascii.h"
#include "core/install_record.h"
#include "core/run_log.h"
#include "files/canonical_path_win.h"
#include "files/install_record_win.h"
#include "messages/string_table.h"
#include "messages/text_ids.h"
#include "platform/dll_search.h"
#include "platform/log_header.h"
#include "system/record_bounds_win.h"
#include "uninst/removal_plan.h"
#include "uninst/removal_win.h"
#include "uninst/uninst_text.h"

#include <windows.h>

#include <objbase.h>

#include <string>
#include <vector>

namespace {

constexpr int kRemoved = 0;
constexpr int kPartly = 1;
constexpr int kNothingDone = 2;

// Several lines of kept files are plenty for a message box.
constexpr std::size_t kListedFiles = 15;

class ComScope {
public:
    ComScope() : ok_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComScope() {
        if (ok_)
            CoUninitialize();
    }
    ComScope(const ComScope &) = delete;
    ComScope &operator=(const ComScope &) = delete;

private:
    bool ok_;
};

// Canonical, as every path it is compared with (the Windows 95 family may
// give it in short names).
std::string OwnPath() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return length > 0 && length < sizeof path ? CanonicalPath(std::string(path, length))
                                              : std::string();
}

bool RecordedFolder(const ParsedRecord &record, const std::string &installDir) {
    for (const RecordEntry &entry : record.entries) {
        if (entry.kind == RecordKind::Folder &&
            (EqualsNoCase(entry.path + "\\", installDir) || EqualsNoCase(entry.path, installDir)))
            return true;
    }
    return false;
}

// True when nothing is left in the folder but the program itself and the
// files that go at the next restart.
bool OnlyPendingLeft(const std::string &installDir, const std::string &ownPath,
                     const std::vector<std::string> &deferred) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((installDir + "*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return true;
    bool onlySelf = true;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        bool pending = false;
        for (const std::string &path : deferred)
            pending = pending || EqualsNoCase(installDir + name, path);
        if (!pending && !EqualsNoCase(installDir + name, ownPath) &&
            !EqualsNoCase(installDir + found.cAlternateFileName, ownPath))
            onlySelf = false;
    } while (onlySelf && FindNextFileA(search, &found));
    FindClose(search);
    return onlySelf;
}

int Show(const std::string &text, UINT style) {
    return MessageBoxA(nullptr, text.c_str(), GroupText(kTextUninstallTitle).c_str(),
                       style | MB_SETFOREGROUND);
}

void AddList(std::string &text, int group, const std::vector<std::string> &paths) {
    if (paths.empty())
        return;
    text += "\n\n" + GroupText(group);
    for (std::size_t i = 0; i < paths.size() && i < kListedFiles; ++i)
        text += "\n" + paths[i];
    if (paths.size() > kListedFiles)
        text += "\n...";
}

std::string ClosingText(const RemovalOutcome &outcome, const std::string &name) {
    std::string text = FillName(GroupText(kTextUninstallDone), name);
    AddList(text, kTextUninstallKept, outcome.kept);
    AddList(text, kTextUninstallDenied, outcome.denied);
    AddList(text, kTextUninstallIgnored, outcome.ignored);
    for (const std::string &folder : outcome.folders)
        text += "\n\n" + FillName(GroupText(kTextUninstallUserFiles), folder);
    if (!outcome.deferred.empty())
        text += "\n\n" + GroupText(kTextUninstallRestart);
    return text;
}

// The exit code, the log's last line.
int Finish(int code) {
    std::string line = "Exit code ";
    Log().Line(line.append(std::to_string(code))); // appended: GCC 12 sees an overlap in +
    Log().Close();
    return code;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    platform::SearchDllsInSystemFolderOnly();
    const char *commandLine = GetCommandLineA();
    const bool silent = SilentSwitch(commandLine);
    const std::string logPath = LogSwitch(commandLine);
    if (!logPath.empty() && Log().Open(logPath))
        WriteLogHeader("Uninst", commandLine);
    const std::string ownPath = OwnPath();
    const std::size_t slash = ownPath.rfind('\\');
    if (slash == std::string::npos)
        return Finish(kNothingDone);
    const std::string installDir = ownPath.substr(0, slash + 1);
    const std::string recordPath = installDir + kInstallRecordName;

    const ParsedRecord record = ParseRecord(ReadRecordFile(recordPath));
    if (!record.valid) {
        Log().Line("Nothing to remove: no install record in " + recordPath);
        if (!silent)
            Show(GroupText(kTextUninstallNothing), MB_OK | MB_ICONINFORMATION);
        return Finish(kNothingDone);
    }
    const RecordBounds bounds = InstallBounds(installDir);
    const RemovalPlan plan = PlanRemoval(record, bounds, RecordPathsWithin(bounds));
    App().languageIndex = plan.language;
    // The uninstall entry's name, as the system's list of programs shows it.
    const std::string name =
        bounds.keyNames.uninstall.empty() ? FolderName(installDir) : bounds.keyNames.uninstall;
    if (!silent && Show(FillName(GroupText(kTextUninstallQuestion), name),
                        MB_YESNO | MB_ICONQUESTION) != IDYES) {
        Log().Line("The user answered No: nothing removed");
        return Finish(kNothingDone);
    }
    Log().Line("Removing " + name + " (install directory " + installDir + ")");

    RemovalOutcome outcome;
    {
        ComScope com; // the shortcuts are read through the shell
        outcome = CarryOut(plan, installDir, ownPath);
    }
    // The record goes even when something was kept: a second run finds
    // nothing left of this installation to remove.
    SetFileAttributesA(recordPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (DeleteFileA(recordPath.c_str()))
        Log().Line("Removed: " + recordPath);

    std::string folder = installDir.substr(0, installDir.size() - 1);
    if (!OnlyPendingLeft(installDir, ownPath, outcome.deferred)) {
        if (RecordedFolder(record, installDir))
            outcome.folders.push_back(folder);
        folder.clear();
    } else if (!RecordedFolder(record, installDir)) {
        folder.clear();
    }
    RemoveSelfAtRestart(ownPath, folder);

    if (!silent)
        Show(ClosingText(outcome, name), MB_OK | MB_ICONINFORMATION);
    const bool whole = outcome.kept.empty() && outcome.denied.empty() && outcome.ignored.empty() &&
                       outcome.deferred.empty() && outcome.folders.empty();
    return Finish(whole ? kRemoved : kPartly);
}
