#pragma once

// Helpers of the end-to-end scenarios: CD folders on drive D:, setup.exe
// started from them, and what its windows show.

#include "uidriver.h"

#include <map>
#include <memory>
#include <string>

namespace e2e {

constexpr char kSetupExe[] = "D:\\bin\\setup.exe";
constexpr char kEarlyCutoffExe[] = "D:\\bin\\setup_early_cutoff.exe";
// setup.exe with the Windows 95 family's stubs failing, in Wine's win98 mode.
constexpr char kWin98StubsExe[] = "D:\\bin\\setup_win98_stubs.exe";
constexpr DWORD kWindowTimeout = 15000;

// The windows of the previous setup may outlive its process for a moment;
// a new setup would take them for a running one and end. Waits (a few
// seconds at most) until they are gone.
void WaitForSetupWindowsToGo();

// A CD folder D:\cases\<name> with the given files (name -> bytes), made
// once the previous setup's windows are gone.
class Cd {
public:
    Cd(const std::string &name, const std::map<std::string, std::string> &files);
    const std::string &Dir() const { return dir_; }
    std::string Path(const std::string &file) const { return dir_ + "\\" + file; }

private:
    std::string dir_;
};

// The files of a small valid first CD: PXD.INI, the marker of the given
// language, a script and the sample picture.
std::map<std::string, std::string> ValidCd(char language);

// ValidCd('A') installing into C:\<installDir> with the given script.
std::map<std::string, std::string> ScriptCd(const std::string &installDir,
                                            const std::string &script);

// The bytes of a file of the sample CD (D:\democd).
std::string DemoCdFile(const std::string &name);

// Wine runs setup.exe as Windows 98 (its AppDefaults entry): a copy of it
// under another name, which Wine runs as the NT family.
std::string NtSetupExe();

// ValidCd plus the sample CD's message catalogs.
std::map<std::string, std::string> CdWithCatalogs(char language);

// What a message box or message dialog of setup shows.
struct Box {
    HWND window = nullptr;
    std::string caption;
    std::string text;
};

// Waits for the process's message box (a dialog with the static 0xFFFF) or
// message dialog (static 1024).
Box WaitForBox(const ui::Program &program, DWORD timeoutMs = kWindowTimeout);

// Waits for the main window (the dialog with the drive list) to show.
HWND WaitForMainWindow(const ui::Program &program, DWORD timeoutMs = kWindowTimeout);

// Presses Quit on the main window and expects setup to end with 0.
void QuitAndExpectEnd(const ui::Program &setup, HWND window);

// Presses OK on a box and expects setup to end with 0.
void ConfirmAndExpectEnd(const ui::Program &setup, const Box &box);

// Starts setup (exe) on the CD, presses Install on the selected drive, waits for
// the closing box, expects its text, answers OK and expects setup to end
// with 0.
void InstallAndConfirm(const std::string &cdDir, const std::string &closingText,
                       DWORD timeoutMs = 60000, const std::string &exe = kSetupExe);

// Saves the screen as D:\screens\<name>.bmp (turned into PNG afterwards).
void Screenshot(const std::string &name);

} // namespace e2e
