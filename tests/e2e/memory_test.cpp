// What setup costs in memory beside the least a dialog program takes (the
// benchmarks' bare dialog, in the same Wine world and Windows version): at
// most 3 MB more, with its window idle and at its peak during an install.

#include "e2e_files.h"
#include "e2e_support.h"

#include <gtest/gtest.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace e2e;

namespace {

constexpr char kBareDialogExe[] = "D:\\bin\\bare_dialog.exe";
constexpr double kBudgetMb = 3.0;
constexpr int kRounds = 3;

double PeakMb(const ui::Program &program) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, program.Id());
    if (!process)
        return 0;
    const BOOL got = GetProcessMemoryInfo(process, &counters, sizeof counters);
    CloseHandle(process);
    return got ? counters.PeakWorkingSetSize / 1048576.0 : 0;
}

// The peak of a window that has settled: once the program waits for input,
// the peak read until it has not grown for half a second (ten seconds at
// most), so that a slow machine is not measured half-way through its
// start-up.
double SettledPeakMb(const ui::Program &program) {
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, program.Id());
    if (process) {
        WaitForInputIdle(process, 10000);
        CloseHandle(process);
    }
    double peak = PeakMb(program);
    for (int steady = 0, reads = 0; steady < 5 && reads < 100; ++reads) {
        Sleep(100);
        const double now = PeakMb(program);
        steady = now == peak ? steady + 1 : 0;
        peak = now;
    }
    return peak;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The bare dialog's peak, its window shown and settled; median of rounds.
double BareDialogMb() {
    std::vector<double> peaks;
    for (int round = 0; round < kRounds; ++round) {
        ui::Program bare(kBareDialogExe, "D:\\bin");
        HWND window = ui::WaitForWindow(bare.Id(), nullptr, nullptr, kWindowTimeout);
        if (!window)
            return 0;
        peaks.push_back(SettledPeakMb(bare));
        ui::PostClick(window, 2);
        bare.WaitExit(10000);
    }
    return Median(peaks);
}

// The file names of the generated tree below TREE.
std::string TreeFile(int index) {
    char name[32];
    std::snprintf(name, sizeof name, "D%d\\F%03d.DAT", index % 4, index / 4);
    return name;
}

constexpr int kTreeFiles = 400;

} // namespace

TEST(Memory, IdleWindowOfTheSampleCdStaysWithinTheBudget) {
    const double bare = BareDialogMb();
    ASSERT_GT(bare, 1.0) << "the bare dialog did not show or gave no figure";
    std::vector<double> peaks;
    for (int round = 0; round < kRounds; ++round) {
        ui::Program setup(kSetupExe, "D:\\democd");
        HWND window = WaitForMainWindow(setup);
        ASSERT_NE(window, nullptr);
        peaks.push_back(SettledPeakMb(setup));
        QuitAndExpectEnd(setup, window);
    }
    const double idle = Median(peaks);
    std::printf("peak working set: setup idle %.1f MB, bare dialog %.1f MB\n", idle, bare);
    EXPECT_LE(idle - bare, kBudgetMb);
}

TEST(Memory, InstallOfATreeStaysWithinTheBudget) {
    RemoveTree("C:\\e2e-memory");
    auto files = ScriptCd("e2e-memory",
                          "MKDIR TREE *DESTDIR\r\nPROGRESS START\r\nCOPYDIR TREE *DESTDIR\\TREE\r\n"
                          "PROGRESS END\r\nALLDONE\r\n");
    Cd cd("memory-install", files);
    CreateDirectoryA(cd.Path("TREE").c_str(), nullptr);
    for (int folder = 0; folder < 4; ++folder)
        CreateDirectoryA(cd.Path("TREE\\D" + std::to_string(folder)).c_str(), nullptr);
    for (int i = 0; i < kTreeFiles; ++i)
        ASSERT_TRUE(WriteBytes(cd.Path("TREE\\" + TreeFile(i)), std::string(8192, 'm')));
    // Bigger than a copy block many times over.
    ASSERT_TRUE(WriteBytes(cd.Path("TREE\\BIG.DAT"), std::string(16u << 20, 'b')));

    const double bare = BareDialogMb();
    ASSERT_GT(bare, 1.0) << "the bare dialog did not show or gave no figure";
    ui::Program setup(kSetupExe, cd.Dir());
    HWND window = WaitForMainWindow(setup);
    ASSERT_NE(window, nullptr);
    Sleep(100);
    ui::PostClick(window, 1012);
    const Box box = WaitForBox(setup, 60000);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, "Setup is finished.");
    const double peak = PeakMb(setup);
    std::printf("peak working set: setup during the install %.1f MB, bare dialog %.1f MB\n", peak,
                bare);
    EXPECT_LE(peak - bare, kBudgetMb);
    ConfirmAndExpectEnd(setup, box);
    EXPECT_EQ(ReadBytes("C:\\e2e-memory\\TREE\\" + TreeFile(kTreeFiles - 1)),
              std::string(8192, 'm'));
    EXPECT_TRUE(Exists("C:\\e2e-memory\\TREE\\BIG.DAT"));
    RemoveTree("C:\\e2e-memory");
}
