// Starts setup.exe on generated hostile CDs, one after the other, drives each
// run as a patient user would (Install on the default drive, every message
// answered, No to a restart) and counts how each run ended. A crash, a run
// that does not end in time or a window that stops answering is a failure;
// its CD folder is kept as a reproducer.
//
// Usage: hostile_suite FIRST_SEED COUNT [SAMPLE_CD_DIR]
//        hostile_suite --cd DIR     drives one kept CD folder again

#include "e2e_files.h"
#include "hostile_cd.h"
#include "uidriver.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr char kSetupExe[] = "D:\\bin\\setup.exe";
constexpr char kCasesDir[] = "D:\\hostile";
// A run must move on (a new message, its end) within this time; a run that
// keeps answering message after message may take longer in all.
constexpr DWORD kRunLimitMs = 60000;
constexpr DWORD kWholeRunLimitMs = 600000;
constexpr DWORD kUnansweredLimitMs = 20000;

void WriteFile(const std::string &dir, const std::string &relative, const std::string &bytes) {
    // Every folder on the way.
    for (std::size_t at = relative.find('\\'); at != std::string::npos;
         at = relative.find('\\', at + 1)) {
        CreateDirectoryA((dir + "\\" + relative.substr(0, at)).c_str(), nullptr);
    }
    e2e::WriteBytes(dir + "\\" + relative, bytes);
}

// Removes what the runs installed on C:.
void RemoveInstalls() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("C:\\Hostile*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        e2e::RemoveTree(std::string("C:\\") + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

bool Visible(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control && IsWindowVisible(control);
}

enum class Outcome { Ended, Crashed, Hung };

struct Result {
    Outcome outcome = Outcome::Ended;
    DWORD exitCode = 0;
    std::string firstMessage;
};

Result Drive(const std::string &cdDir) {
    Result result;
    ui::Program setup(kSetupExe, cdDir);
    if (!setup.Running() && setup.WaitExit(0) == 0 && !setup.Id()) {
        result.outcome = Outcome::Crashed;
        result.firstMessage = "setup.exe did not start";
        return result;
    }
    const DWORD start = GetTickCount();
    DWORD lastProgress = start;
    DWORD unansweredSince = 0;
    bool installPressed = false;
    DWORD mainSeenAt = 0;
    while (setup.WaitExit(50) == STILL_ACTIVE) {
        if (GetTickCount() - lastProgress > kRunLimitMs ||
            GetTickCount() - start > kWholeRunLimitMs) {
            result.outcome = Outcome::Hung;
            result.firstMessage += " [no end within the time limit]";
            return result; // the destructor ends it
        }
        for (HWND window : ui::WindowsOf(setup.Id())) {
            DWORD_PTR answer = 0;
            if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer)) {
                if (!unansweredSince)
                    unansweredSince = GetTickCount();
                if (GetTickCount() - unansweredSince > kUnansweredLimitMs) {
                    result.outcome = Outcome::Hung;
                    result.firstMessage += " [window stopped answering]";
                    return result;
                }
                continue;
            }
            unansweredSince = 0;
            const bool box = GetDlgItem(window, 0xFFFF) != nullptr;
            const bool dialog = GetDlgItem(window, 1024) != nullptr;
            if (box || dialog) {
                if (result.firstMessage.empty())
                    result.firstMessage = ui::ControlText(window, box ? 0xFFFF : 1024);
                // No to a question (a restart would end the whole Wine world).
                const int button = Visible(window, IDCANCEL) ? IDCANCEL : IDOK;
                PostMessageA(window, WM_COMMAND, button, 0);
                lastProgress = GetTickCount();
                Sleep(20);
            } else if (GetDlgItem(window, 1023)) {
                if (!mainSeenAt)
                    mainSeenAt = GetTickCount();
                HWND install = GetDlgItem(window, 1012);
                if (!installPressed && IsWindowVisible(install) && IsWindowEnabled(install)) {
                    ui::PostClick(window, 1012);
                    installPressed = true;
                } else if (!installPressed && GetTickCount() - mainSeenAt > 3000) {
                    ui::PostClick(window, 1015); // no drive may take it: leave
                    installPressed = true;
                }
            }
        }
    }
    result.exitCode = setup.WaitExit(0);
    // A normal end returns the dialog's result; an exception ends the
    // process with its code.
    if (result.exitCode >= 0xC0000000u)
        result.outcome = Outcome::Crashed;
    return result;
}

} // namespace

int main(int argc, char **argv) {
    if (argc == 3 && std::string(argv[1]) == "--cd") {
        const Result result = Drive(argv[2]);
        std::printf("%s: %s (exit %lu) %.60s\n", argv[2],
                    result.outcome == Outcome::Ended ? "ended" : "FAILED", result.exitCode,
                    result.firstMessage.c_str());
        return result.outcome == Outcome::Ended ? 0 : 1;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: hostile_suite FIRST_SEED COUNT [SAMPLE_CD_DIR]\n");
        return 2;
    }
    const std::uint32_t first = static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10));
    const int count = std::atoi(argv[2]);
    const std::string sampleDir = argc > 3 ? argv[3] : "D:\\democd";
    hostile::Files sample;
    for (const char *name :
         {"SETUP.BMP", "SETUP.DBF", "SETUP.MDX", "SCRIPT.DBF", "SCRIPT.MDX", "setup.ini"}) {
        sample[name] = e2e::ReadBytes(sampleDir + "\\" + name, "");
    }
    CreateDirectoryA(kCasesDir, nullptr);

    int ended = 0, crashed = 0, hung = 0;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t seed = first + static_cast<std::uint32_t>(i);
        const hostile::Cd cd = hostile::MakeCd(sample, seed);
        const std::string dir = std::string(kCasesDir) + "\\" + std::to_string(seed);
        e2e::RemoveTree(dir);
        CreateDirectoryA(dir.c_str(), nullptr);
        for (const auto &[name, bytes] : cd.files)
            WriteFile(dir, name, bytes);

        const Result result = Drive(dir);
        RemoveInstalls();
        const char *verdict = "ended";
        switch (result.outcome) {
        case Outcome::Ended:
            ++ended;
            e2e::RemoveTree(dir);
            break;
        case Outcome::Crashed:
            ++crashed;
            verdict = "CRASHED";
            break;
        case Outcome::Hung:
            ++hung;
            verdict = "HUNG";
            break;
        }
        std::printf("seed %u: %s (exit %lu) %s| %.60s\n", seed, verdict, result.exitCode,
                    cd.faults.c_str(), result.firstMessage.c_str());
        std::fflush(stdout);
    }
    std::printf("hostile CDs: tried %d, ended cleanly %d, crashed %d, hung %d\n", count, ended,
                crashed, hung);
    return crashed + hung == 0 ? 0 : 1;
}
