// Installs one generated product tree (a 100 MB file, 1,000 files of 100 KB,
// 3,000 files of 1 KB) with setup.exe driven through its window, and copies
// the same tree with a CopyFileA loop, interleaved, each run into a
// never-used folder on C:. Prints medians, their ratio and setup's peak
// working set.
//   taskset -c 0 scripts/wine-run BUILD bench_install.exe SETUP_EXE E:\bench-install [rounds]
// (pin the prefix's wineserver to the same CPU first: taskset -cp 0 PID).
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

struct Tree {
    std::vector<std::string> dirs;  // relative, created first
    std::vector<std::string> files; // relative
};

Tree MakeTreeList() {
    Tree tree;
    tree.dirs = {"big", "medium", "small"};
    tree.files.push_back("big\\huge.bin");
    for (int i = 0; i < kMediumFiles; ++i)
        tree.files.push_back("medium\\m" + std::to_string(i) + ".bin");
    for (int i = 0; i < kSmallFiles; ++i)
        tree.files.push_back("small\\s" + std::to_string(i) + ".bin");
    return tree;
}

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

bool WriteFilled(const std::string &path, std::size_t size, char fill) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::vector<char> block(1 << 20, fill);
    std::size_t left = size;
    while (left > 0) {
        DWORD n = static_cast<DWORD>(std::min(left, block.size())), written = 0;
        WriteFile(file, block.data(), n, &written, nullptr);
        left -= n;
    }
    CloseHandle(file);
    return true;
}

// The CD: PXD.INI, marker and script at its root, the tree below TREE.
void Generate(const std::string &cd, const Tree &tree) {
    if (GetFileAttributesA((cd + "ready").c_str()) != INVALID_FILE_ATTRIBUTES)
        return;
    CreateDirectoryA(cd.c_str(), nullptr);
    CreateDirectoryA((cd + "TREE").c_str(), nullptr);
    for (const auto &dir : tree.dirs)
        CreateDirectoryA((cd + "TREE\\" + dir).c_str(), nullptr);
    WriteFilled(cd + "TREE\\" + tree.files[0], 100u << 20, 'h');
    for (std::size_t i = 1; i < tree.files.size(); ++i)
        WriteFilled(cd + "TREE\\" + tree.files[i], i <= kMediumFiles ? 100 * 1024 : 1024,
                    'a' + i % 26);
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

void Warm(const std::string &source, const Tree &tree) {
    std::vector<char> block(1 << 20);
    for (const auto &file : tree.files) {
        HANDLE h = CreateFileA((source + file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        DWORD got = 0;
        while (ReadFile(h, block.data(), static_cast<DWORD>(block.size()), &got, nullptr) && got)
            ;
        CloseHandle(h);
    }
}

double Seconds(LARGE_INTEGER start, LARGE_INTEGER end) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

double PlainCopy(const std::string &source, const std::string &target, const Tree &tree) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    CreateDirectoryA(target.c_str(), nullptr);
    for (const auto &dir : tree.dirs)
        CreateDirectoryA((target + dir).c_str(), nullptr);
    for (const auto &file : tree.files) {
        if (!CopyFileA((source + file).c_str(), (target + file).c_str(), FALSE)) {
            std::fprintf(stderr, "copy failed: %s\n", file.c_str());
            std::exit(1);
        }
    }
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
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

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
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
    const Tree tree = MakeTreeList();
    CreateDirectoryA(work.c_str(), nullptr);
    const std::string cd = work + "cd\\";
    Generate(cd, tree);
    const std::string run = std::to_string(GetTickCount());

    std::vector<double> plain, window;
    SIZE_T peak = 0;
    for (int round = 0; round < rounds; ++round) {
        const std::string tag = run + "-" + std::to_string(round);
        Warm(cd + "TREE\\", tree);
        plain.push_back(PlainCopy(cd + "TREE\\", "C:\\bench-plain-" + tag + "\\", tree));
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
