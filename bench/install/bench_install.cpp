// Installs one generated product tree (a 100 MB file, 1,000 files of 100 KB,
// 3,000 files of 1 KB) with setup.exe driven through its window, and copies
// the same tree with a CopyFileA loop, interleaved, each run into a
// never-used folder on C:. Prints medians, their ratio and setup's peak
// working set.
//   taskset -c 0 scripts/wine-run BUILD bench_install.exe SETUP_EXE E:\bench-install [rounds]
// (pin the prefix's wineserver to the same CPU first: taskset -cp 0 PID).
#include "bench_tree.h"
#include "uidriver.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kMediumFiles = 1000;
constexpr int kSmallFiles = 3000;

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

SIZE_T PeakWorkingSet(DWORD processId) {
    SIZE_T peak = 0;
    if (HANDLE process =
            OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId)) {
        PROCESS_MEMORY_COUNTERS counters{};
        if (GetProcessMemoryInfo(process, &counters, sizeof counters))
            peak = counters.PeakWorkingSetSize;
        CloseHandle(process);
    }
    return peak;
}

HWND FindBox(DWORD processId) {
    for (HWND window : ui::WindowsOf(processId)) {
        if (GetDlgItem(window, 0xFFFF) || GetDlgItem(window, 1024))
            return window;
    }
    return nullptr;
}

// From the Install click to the closing message; the peak working set of
// setup.exe is read before the click (the idle window) and while that
// message shows.
double WindowInstall(const std::string &exe, const std::string &cd, SIZE_T &idleBytes,
                     SIZE_T &peakBytes) {
    ui::Program setup(exe, cd);
    HWND window = ui::WaitForWindow(setup.Id(), nullptr, nullptr, 30000);
    if (!window || !GetDlgItem(window, 1023)) {
        std::fprintf(stderr, "setup shows no drive list\n");
        std::exit(1);
    }
    Sleep(200);
    idleBytes = PeakWorkingSet(setup.Id());
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    ui::PostClick(window, 1012);
    HWND box = nullptr;
    while (!(box = FindBox(setup.Id())))
        Sleep(1);
    QueryPerformanceCounter(&end);
    peakBytes = PeakWorkingSet(setup.Id());
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    setup.WaitExit(30000);
    return Seconds(start, end);
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_install SETUP_EXE WORKDIR [rounds]\n");
        return 2;
    }
    const std::string exe = argv[1];
    std::string work = argv[2];
    if (work.back() != '\\')
        work += '\\';
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 3;
    const Tree tree = MakeTreeList(100u << 20, kMediumFiles, kSmallFiles);
    CreateDirectoryA(work.c_str(), nullptr);
    const std::string cd = work + "cd\\";
    Generate(cd, tree);
    const std::string run = std::to_string(GetTickCount());

    std::vector<double> plain, window;
    SIZE_T peak = 0;
    for (int round = 0; round < rounds; ++round) {
        const std::string tag = run + "-" + std::to_string(round);
        Warm(cd + "TREE\\", tree);
        plain.push_back(TimeCopy(cd + "TREE\\", "C:\\bench-plain-" + tag + "\\", tree,
                                 [](const std::string &from, const std::string &to) {
                                     return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
                                 }));
        Warm(cd + "TREE\\", tree);
        WriteSettings(cd, "bench-setup-" + tag);
        SIZE_T idle = 0, roundPeak = 0;
        window.push_back(WindowInstall(exe, cd, idle, roundPeak));
        peak = std::max(peak, roundPeak);
        std::printf("round %d: CopyFileA %.3f s, setup %.3f s, peak working set %.1f MB "
                    "(%.1f MB before Install)\n",
                    round, plain.back(), window.back(), roundPeak / 1048576.0, idle / 1048576.0);
    }
    const double a = Median(plain), b = Median(window);
    std::printf("median: CopyFileA %.3f s, setup %.3f s, ratio %.3f; peak working set %.1f MB\n", a,
                b, b / a, peak / 1048576.0);
    return 0;
}
