// A whole installation of one generated product tree, side by side and
// interleaved: a CopyFileA loop (in this process, and as a process of its
// own timed from start to exit), setup.exe driven through its window (timed
// from the Install click to the closing message, and as a whole process from
// start to exit), setup.exe /S (no window; the whole process) and, when
// given, an installer of the same tree built with
// NSIS (SetCompress off, run with /S). Every run copies into a never-used
// folder on C: and the source is read once, untimed, before each run.
// Prints medians, their ratios to the loop and setup's peak working set,
// then where the time of setup /S goes, from the times of its log's lines.
// Run with bench/install/run, which pins the prefix's wineserver and this
// program to one CPU.
//   bench_install SETUP_EXE WORKDIR [rounds] [--small|--tiny] [--nsis NSIS_EXE]
//                 [--bare BARE_DIALOG_EXE] [--generate]
//   bench_install --copy-loop SOURCE TARGET [--small|--tiny]   (the loop's process)
// The full tree is one 200 MiB file, 2,000 files of 100 KiB and 5,000 of
// 1 KiB (7,001 files, 419.6 MB); --small is 20 MiB, 500 and 1,499; --tiny
// is 2,000 files of 1 KiB (and an empty one), where the time per file is the
// cost of a small file.
#include "bench_memory.h"
#include "bench_tree.h"
#include "uidriver.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool WriteText(const std::string &path, const std::string &text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return written == text.size();
}

// The CD: PXD.INI, marker and script at its root, the tree below TREE.
void Generate(const std::string &cd, const Tree &tree) {
    if (GetFileAttributesA((cd + "ready").c_str()) != INVALID_FILE_ATTRIBUTES)
        return;
    CreateDirectoryA(cd.c_str(), nullptr);
    GenerateTree(cd + "TREE\\", tree);
    WriteText(cd + "BNCHA100.CD1", "disk 1\r\n");
    WriteText(cd + "SETUP.INF", "MKDIR TREE *DESTDIR\r\nPROGRESS START\r\n"
                                "COPYDIR TREE *DESTDIR\\TREE\r\nPROGRESS END\r\nALLDONE\r\n");
    WriteFilled(cd + "ready", 0, 0);
}

void WriteSettings(const std::string &cd, const std::string &installDir) {
    WriteText(cd + "PXD.INI", "[general]\r\nproduct=Bench\r\nsourcedirectory=.\r\n"
                              "installdirectory=\\" +
                                  installDir +
                                  "\r\n[configuration]\r\n"
                                  "diskspacereq=1\r\n");
}

// Removes a copy of the tree (untimed), so that the disk holds one at a time.
void RemoveCopy(const std::string &root, const Tree &tree) {
    for (const auto &file : tree.files)
        DeleteFileA((root + file).c_str());
    for (const auto &dir : tree.dirs)
        RemoveDirectoryA((root + dir).c_str());
    RemoveDirectoryA(root.c_str());
}

void WarmFile(const std::string &path) {
    Tree one;
    one.files = {path};
    Warm("", one);
}

HWND FindBox(DWORD processId) {
    for (HWND window : ui::WindowsOf(processId)) {
        if (GetDlgItem(window, 0xFFFF) || GetDlgItem(window, 1024))
            return window;
    }
    return nullptr;
}

struct WindowRun {
    double install = 0; // Install click to the closing message
    double whole = 0;   // process start to exit
    SIZE_T idleBytes = 0, peakBytes = 0;
};

// The peak working set of setup.exe is read before the click (the idle
// window) and while the closing message shows.
WindowRun WindowInstall(const std::string &exe, const std::string &cd) {
    WindowRun result;
    LARGE_INTEGER started, clicked, closing, ended;
    QueryPerformanceCounter(&started);
    ui::Program setup(exe, cd);
    HWND window = ui::WaitForWindow(setup.Id(), nullptr, nullptr, 30000);
    if (!window || !GetDlgItem(window, 1023)) {
        std::fprintf(stderr, "setup shows no drive list\n");
        std::exit(1);
    }
    result.idleBytes = PeakWorkingSet(setup.Id());
    QueryPerformanceCounter(&clicked);
    ui::PostClick(window, 1012);
    HWND box = nullptr;
    while (!(box = FindBox(setup.Id())))
        Sleep(1);
    QueryPerformanceCounter(&closing);
    result.peakBytes = PeakWorkingSet(setup.Id());
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    if (setup.WaitExit(30000) == STILL_ACTIVE) {
        std::fprintf(stderr, "setup did not exit\n");
        std::exit(1);
    }
    QueryPerformanceCounter(&ended);
    result.install = Seconds(clicked, closing);
    result.whole = Seconds(started, ended);
    return result;
}

// setup.exe /S: no window to draw; the whole process is timed.
double QuietInstall(const std::string &exe, const std::string &cd) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    ui::Program setup(exe, cd, "/S");
    const DWORD code = setup.WaitExit(120000);
    QueryPerformanceCounter(&end);
    if (code != 0) {
        std::fprintf(stderr, "setup /S exit code %lu\n", static_cast<unsigned long>(code));
        std::exit(1);
    }
    return Seconds(start, end);
}

// The NSIS installer, silent, into target; the whole process is timed.
double NsisInstall(const std::string &exe, const std::string &target) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string commandLine = "\"" + exe + "\" /S /D=" + target;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        std::fprintf(stderr, "cannot start %s\n", exe.c_str());
        std::exit(1);
    }
    WaitForSingleObject(info.hProcess, INFINITE);
    QueryPerformanceCounter(&end);
    DWORD code = 1;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    if (code != 0) {
        std::fprintf(stderr, "NSIS installer exit code %lu\n", static_cast<unsigned long>(code));
        std::exit(1);
    }
    return Seconds(start, end);
}

Tree TreeOf(bool small, bool tiny) {
    return tiny    ? MakeTreeList(0, 0, 2000)
           : small ? MakeTreeList(20u << 20, 500, 1499)
                   : MakeTreeList(200u << 20, 2000, 5000);
}

bool CopyWithCopyFileA(const std::string &from, const std::string &to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

// The CopyFileA loop as a process of its own (this program with
// --copy-loop), timed from start to exit as setup /S is. The folders hold
// no blanks and end in a backslash, which would escape a closing quote.
double LoopProcess(const std::string &source, const std::string &target, const char *sizeFlag) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    ui::Program loop(self, "C:\\", "--copy-loop " + source + " " + target + " " + sizeFlag);
    const DWORD code = loop.WaitExit(120000);
    QueryPerformanceCounter(&end);
    if (code != 0) {
        std::fprintf(stderr, "copy loop process exit code %lu\n", static_cast<unsigned long>(code));
        std::exit(1);
    }
    return Seconds(start, end);
}

// Milliseconds since midnight, local time, as the log's lines tell it.
long NowMsOfDay() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return ((now.wHour * 60L + now.wMinute) * 60L + now.wSecond) * 1000L + now.wMilliseconds;
}

// "hh:mm:ss.mmm text": the milliseconds since midnight, or -1.
long LineMs(const std::string &line) {
    int h = 0, m = 0, sec = 0, ms = 0;
    if (std::sscanf(line.c_str(), "%2d:%2d:%2d.%3d", &h, &m, &sec, &ms) != 4)
        return -1;
    return ((h * 60L + m) * 60L + sec) * 1000L + ms;
}

// Where the time of setup /S goes, from its log: start-up (process start
// to the log's first line), finding the CD, the pre-pass (sizing the
// COPYDIR tree) and the drive scan (to "Installing into"), the copy with
// the install record's line per file (to the last file's line), ALLDONE
// with the uninstall entry (to the exit code), and the end of the process.
// The log writes a line per file too, so the copy is slower here than
// unlogged; its cost stands for the record's, which also writes a line per
// file.
struct Phases {
    long startup = 0, prepass = 0, copy = 0, allDone = 0, exit = 0, whole = 0;
};

Phases QuietPhases(const std::string &exe, const std::string &cd, const std::string &log) {
    Phases phases;
    const long started = NowMsOfDay();
    {
        ui::Program setup(exe, cd, "/S /LOG=" + log);
        if (setup.WaitExit(120000) != 0) {
            std::fprintf(stderr, "setup /S /LOG did not install\n");
            std::exit(1);
        }
    }
    const long ended = NowMsOfDay();
    FILE *file = std::fopen(log.c_str(), "rb");
    if (!file)
        return phases;
    long first = -1, installing = -1, lastCopied = -1, exitLine = -1;
    char buffer[2048];
    while (std::fgets(buffer, sizeof buffer, file)) {
        const std::string line = buffer;
        const long ms = LineMs(line);
        if (ms < 0)
            continue;
        if (first < 0)
            first = ms;
        if (line.find(" Installing into ") != std::string::npos)
            installing = ms;
        if (line.find(" Copied ") != std::string::npos)
            lastCopied = ms;
        if (line.find(" Exit code ") != std::string::npos)
            exitLine = ms;
    }
    std::fclose(file);
    phases.startup = first - started;
    phases.prepass = installing - first;
    phases.copy = lastCopied - installing;
    phases.allDone = exitLine - lastCopied;
    phases.exit = ended - exitLine;
    phases.whole = ended - started;
    return phases;
}

// Ends the program unless target holds every file of the tree.
void CheckCopy(const std::string &target, const Tree &tree, const char *who) {
    for (const auto &file : tree.files) {
        if (GetFileAttributesA((target + file).c_str()) == INVALID_FILE_ATTRIBUTES) {
            std::fprintf(stderr, "%s left out %s\n", who, file.c_str());
            std::exit(1);
        }
    }
}

} // namespace

int main(int argc, char **argv) {
    if (argc >= 4 && std::strcmp(argv[1], "--copy-loop") == 0) {
        const bool loopSmall = argc > 4 && std::strcmp(argv[4], "--small") == 0;
        const bool loopTiny = argc > 4 && std::strcmp(argv[4], "--tiny") == 0;
        TimeCopy(argv[2], argv[3], TreeOf(loopSmall, loopTiny), CopyWithCopyFileA);
        return 0;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_install SETUP_EXE WORKDIR [rounds] [--small|--tiny] "
                             "[--nsis NSIS_EXE] [--bare BARE_DIALOG_EXE] [--generate]\n");
        return 2;
    }
    const std::string exe = argv[1];
    std::string work = argv[2];
    if (work.back() != '\\')
        work += '\\';
    int rounds = 5;
    bool small = false, tiny = false, generateOnly = false;
    std::string nsis, bare;
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "--small") == 0)
            small = true;
        else if (std::strcmp(argv[i], "--tiny") == 0)
            tiny = true;
        else if (std::strcmp(argv[i], "--generate") == 0)
            generateOnly = true;
        else if (std::strcmp(argv[i], "--nsis") == 0 && i + 1 < argc)
            nsis = argv[++i];
        else if (std::strcmp(argv[i], "--bare") == 0 && i + 1 < argc)
            bare = argv[++i];
        else
            rounds = std::max(1, std::atoi(argv[i]));
    }
    const Tree tree = TreeOf(small, tiny);
    const char *sizeFlag = tiny ? "--tiny" : small ? "--small" : "";
    CreateDirectoryA(work.c_str(), nullptr);
    const std::string cd = work + "cd\\";
    Generate(cd, tree);
    if (generateOnly)
        return 0;
    const std::string run = std::to_string(GetTickCount());
    std::printf("%zu files; %d rounds%s\n", tree.files.size(), rounds,
                nsis.empty() ? ", no NSIS installer" : "");

    std::vector<double> plain, loopWhole, window, whole, peer, quiet;
    SIZE_T peak = 0, idlePeak = 0;
    for (int round = 0; round < rounds; ++round) {
        const std::string tag = run + "-" + std::to_string(round);
        // The order turns each round, so that no variant always follows another.
        for (int step = 0; step < 5; ++step) {
            const int variant = (round + step) % 5;
            if (variant == 0) {
                const std::string target = "C:\\bench-plain-" + tag + "\\";
                Warm(cd + "TREE\\", tree);
                plain.push_back(TimeCopy(cd + "TREE\\", target, tree, CopyWithCopyFileA));
                CheckCopy(target, tree, "CopyFileA");
                RemoveCopy(target, tree);
            } else if (variant == 4) {
                const std::string target = "C:\\bench-loop-" + tag + "\\";
                Warm(cd + "TREE\\", tree);
                loopWhole.push_back(LoopProcess(cd + "TREE\\", target, sizeFlag));
                CheckCopy(target, tree, "CopyFileA loop process");
                RemoveCopy(target, tree);
            } else if (variant == 1) {
                const std::string target = "C:\\bench-setup-" + tag + "\\TREE\\";
                Warm(cd + "TREE\\", tree);
                WriteSettings(cd, "bench-setup-" + tag);
                const WindowRun result = WindowInstall(exe, cd);
                window.push_back(result.install);
                whole.push_back(result.whole);
                peak = std::max(peak, result.peakBytes);
                idlePeak = std::max(idlePeak, result.idleBytes);
                CheckCopy(target, tree, "setup");
                RemoveCopy(target, tree);
                RemoveDirectoryA(("C:\\bench-setup-" + tag).c_str());
            } else if (variant == 3) {
                const std::string target = "C:\\bench-quiet-" + tag + "\\TREE\\";
                Warm(cd + "TREE\\", tree);
                WriteSettings(cd, "bench-quiet-" + tag);
                quiet.push_back(QuietInstall(exe, cd));
                CheckCopy(target, tree, "setup /S");
                RemoveCopy(target, tree);
                RemoveDirectoryA(("C:\\bench-quiet-" + tag).c_str());
            } else if (!nsis.empty()) {
                const std::string root = "C:\\bench-nsis-" + tag;
                Warm(cd + "TREE\\", tree);
                WarmFile(nsis);
                peer.push_back(NsisInstall(nsis, root));
                CheckCopy(root + "\\", tree, "NSIS");
                RemoveCopy(root + "\\", tree);
            }
        }
        std::printf("round %d: CopyFileA %.3f s (process %.3f s), setup %.3f s (whole %.3f s), "
                    "setup /S %.3f s",
                    round, plain.back(), loopWhole.back(), window.back(), whole.back(),
                    quiet.back());
        if (!peer.empty())
            std::printf(", NSIS %.3f s", peer.back());
        std::printf("\n");
        std::fflush(stdout);
    }
    const double loop = Median(plain);
    const auto row = [&](const char *name, const std::vector<double> &times) {
        if (times.empty())
            return;
        const double median = Median(times);
        std::printf("| %-34s | %7.3f s | %5.2f |\n", name, median, median / loop);
    };
    std::printf("| copier                             |  median   | x loop |\n");
    row("CopyFileA loop", plain);
    row("CopyFileA loop, whole process", loopWhole);
    if (!peer.empty())
        row("NSIS installer /S (whole process)", peer);
    row("setup.exe, Install to closing box", window);
    row("setup.exe, whole process", whole);
    row("setup.exe /S, whole process", quiet);
    std::printf("setup.exe /S / CopyFileA loop, both whole processes: %.2f\n",
                Median(quiet) / Median(loopWhole));
    if (!peer.empty())
        std::printf("setup (Install to closing box) / NSIS: %.2f\n", Median(window) / Median(peer));
    std::printf("per file, CopyFileA loop: %.0f us; setup: %.0f us\n",
                loop / tree.files.size() * 1e6, Median(window) / tree.files.size() * 1e6);
    std::printf("peak working set: setup %.1f MB during the install, %.1f MB before Install",
                Megabytes(peak), Megabytes(idlePeak));
    if (!bare.empty()) {
        // Its window shown and settled, as bench/startup measures it.
        const SIZE_T bareBytes = IdlePeakWorkingSet(bare.c_str(), cd.c_str(), 2, 200);
        std::printf("; bare dialog %.1f MB; setup over the bare dialog %.1f MB during the "
                    "install, %.1f MB before (budget 3.0 MB)",
                    Megabytes(bareBytes), Megabytes(peak) - Megabytes(bareBytes),
                    Megabytes(idlePeak) - Megabytes(bareBytes));
    }
    std::printf("\n");

    // One more setup /S, with its log, for where its time goes.
    const std::string tag = run + "-phases";
    Warm(cd + "TREE\\", tree);
    WriteSettings(cd, "bench-phases-" + tag);
    const std::string log = "C:\\bench-phases-" + tag + ".log";
    const Phases phases = QuietPhases(exe, cd, log);
    std::printf("setup /S /LOG, %ld ms in all: start-up %ld ms, CD and pre-pass sizing and drive "
                "scan %ld ms, copy with the record %ld ms, ALLDONE (uninstall entry) %ld ms, "
                "exit %ld ms; logged over unlogged (a line per file, as the record writes): "
                "%ld ms\n",
                phases.whole, phases.startup, phases.prepass, phases.copy, phases.allDone,
                phases.exit, phases.whole - static_cast<long>(Median(quiet) * 1000));
    RemoveCopy("C:\\bench-phases-" + tag + "\\TREE\\", tree);
    RemoveDirectoryA(("C:\\bench-phases-" + tag).c_str());
    DeleteFileA(log.c_str());
    return 0;
}
