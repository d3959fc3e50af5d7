// Uninst.exe: removes what the install record beside it says setup
// installed. Its exit codes are those of uninst_text.h.

#include "core/app_state.h"
#include "core/ascii.h"
#include "core/install_record.h"
#include "core/run_log.h"
#include "files/canonical_path_win.h"
#include "files/install_record_win.h"
#include "messages/string_table.h"
#include "messages/text_ids.h"
#include "platform/dll_search.h"
#include "platform/folder_security_win.h"
#include "platform/log_header.h"
#include "platform/setup_mark_win.h"
#include "platform/windows_family.h"
#include "system/record_bounds_win.h"
#include "uninst/removal_plan.h"
#include "uninst/removal_win.h"
#include "uninst/uninst_text.h"

#include <windows.h>

#include <objbase.h>

#include <string>
#include <vector>

namespace {

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
    AddList(text, kTextUninstallInUse, outcome.inUse);
    AddList(text, kTextUninstallDenied, outcome.denied);
    AddList(text, kTextUninstallIgnored, outcome.ignored);
    for (const std::string &folder : outcome.folders)
        text += "\n\n" + FillName(GroupText(kTextUninstallUserFiles), folder);
    if (!outcome.deferred.empty())
        text += "\n\n" + GroupText(kTextUninstallRestart);
    return text;
}

// The exit code, the log's last line.
int Finish(const UninstResult &result) {
    const int code = UninstExitCode(result);
    std::string line = "Exit code ";
    Log().Line(line.append(std::to_string(code))); // appended: GCC 12 sees an overlap in +
    Log().Close();
    return code;
}

// Where the record is, and which install directory it speaks for. On the
// NT family the uninstaller runs elevated: it follows only a record in a
// folder that no one but administrators may change (the entry's own
// folder), and takes the install directory from it. The Windows 95 family
// has no accounts: the record lies in the install directory beside it.
struct Source {
    std::string ownDir;     // ends in a backslash
    std::string installDir; // ends in a backslash
    ParsedRecord record;
    bool refused = false;
};

Source ReadSource(const std::string &ownPath) {
    Source source;
    source.ownDir = ownPath.substr(0, ownPath.rfind('\\') + 1);
    source.record = ParseRecord(ReadRecordFile(source.ownDir + kInstallRecordName));
    if (platform::IsWindows95Family()) {
        source.installDir = source.ownDir;
        return source;
    }
    if (source.record.valid && !platform::OnlyAdministratorsMayWrite(source.ownDir)) {
        source.refused = true;
        return source;
    }
    source.installDir = CanonicalFolder(RecordedInstallDir(source.record));
    if (source.installDir.empty())
        source.record = ParsedRecord(); // nothing it may act on
    return source;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    platform::SearchDllsInSystemFolderOnly();
    const char *commandLine = GetCommandLineA();
    const bool silent = SilentSwitch(commandLine);
    const std::string logPath = LogSwitch(commandLine);
    if (!logPath.empty() && Log().Open(logPath))
        WriteLogHeader("Uninst", commandLine);
    UninstResult result;
    const std::string unknown = UnknownSwitch(commandLine);
    if (!unknown.empty()) {
        Log().Line("Switch not known: " + unknown + " (Uninst.exe takes /S and /LOG=file)");
        result.unknownSwitch = true;
        return Finish(result);
    }
    if (!platform::ClaimSetupMark()) {
        Log().Line("A setup or another Uninst.exe is running: nothing done");
        result.setupRunning = true;
        return Finish(result);
    }
    const std::string ownPath = OwnPath();
    if (ownPath.find('\\') == std::string::npos) {
        result.nothingInstalled = true;
        return Finish(result);
    }
    const Source source = ReadSource(ownPath);
    App().languageIndex = 0;
    for (const RecordEntry &entry : source.record.entries) {
        if (entry.kind == RecordKind::Language)
            App().languageIndex = entry.language;
    }
    if (source.refused) {
        Log().Line("Refused: the install record in " + source.ownDir +
                   " lies in a folder that users other than administrators may change");
        if (!silent)
            Show(GroupText(kTextUninstallUnsafeRecord), MB_OK | MB_ICONEXCLAMATION);
        result.refused = true;
        return Finish(result);
    }
    if (!source.record.valid) {
        Log().Line("Nothing to remove: no install record in " + source.ownDir);
        if (!silent)
            Show(GroupText(kTextUninstallNothing), MB_OK | MB_ICONINFORMATION);
        result.nothingInstalled = true;
        return Finish(result);
    }
    const std::string &installDir = source.installDir;
    const RecordBounds bounds = InstallBounds(installDir, source.ownDir);
    const RemovalPlan plan = PlanRemoval(source.record, bounds, RecordPathsWithin(bounds));
    App().languageIndex = plan.language;
    // The uninstall entry's name, as the system's list of programs shows it.
    const std::string name =
        bounds.keyNames.uninstall.empty() ? FolderName(installDir) : bounds.keyNames.uninstall;
    if (!silent && Show(FillName(GroupText(kTextUninstallQuestion), name),
                        MB_YESNO | MB_ICONQUESTION) != IDYES) {
        Log().Line("The user answered No: nothing removed");
        result.declined = true;
        return Finish(result);
    }
    Log().Line("Removing " + name + " (install directory " + installDir + ")");

    const bool recordedFolder = RecordedFolder(source.record, installDir);
    RemovalOutcome outcome;
    {
        ComScope com; // the shortcuts are read through the shell
        outcome = CarryOut(plan, installDir, ownPath, recordedFolder);
    }
    std::string folder = source.ownDir.substr(0, source.ownDir.size() - 1);
    if (source.ownDir != installDir) {
        // The entry's own folder: its record now, the program and the
        // folder at the restart. Only administrators may change it, so the
        // names the restart deletes still mean the same then.
        const std::string ownRecord = source.ownDir + kInstallRecordName;
        if (DeleteFileA(ownRecord.c_str()))
            Log().Line("Removed: " + ownRecord);
    } else {
        // The record goes even when something was kept: a second run finds
        // nothing left of this installation to remove.
        if (!OnlyPendingLeft(installDir, ownPath, outcome.deferred)) {
            if (recordedFolder)
                outcome.folders.push_back(folder);
            folder.clear();
        } else if (!recordedFolder) {
            folder.clear();
        }
    }
    RemoveSelfAtRestart(ownPath, folder);

    if (!silent)
        Show(ClosingText(outcome, name), MB_OK | MB_ICONINFORMATION);
    result.leftInPlace = outcome.inUse.size() + outcome.denied.size();
    result.deferred = outcome.deferred.size();
    return Finish(result);
}
