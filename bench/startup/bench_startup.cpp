// bench_startup SETUP_EXE CD_DIR BARE_EXE ROUNDS
// Starts setup.exe (on the CD) and the bare dialog program in turn and
// times each from process start to its first visible window; prints the
// medians and their ratio. Then the peak working set of each, its window
// shown and settled, side by side.

#include "bench_memory.h"
#include "uidriver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double Milliseconds(const LARGE_INTEGER &from, const LARGE_INTEGER &to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// Time to the window, or a negative value when none showed.
double TimeToWindow(const char *exe, const char *cwd, int quitButton) {
    LARGE_INTEGER start, shown;
    QueryPerformanceCounter(&start);
    ui::Program program(exe, cwd);
    HWND window = nullptr;
    while (!window && program.Running()) {
        window = ui::WaitForWindow(program.Id(), nullptr, nullptr, 0);
        if (!window)
            Sleep(1);
    }
    QueryPerformanceCounter(&shown);
    if (!window)
        return -1;
    ui::PostClick(window, quitButton);
    program.WaitExit(10000);
    return Milliseconds(start, shown);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: bench_startup SETUP_EXE CD_DIR BARE_EXE ROUNDS\n");
        return 2;
    }
    const int rounds = std::max(1, std::atoi(argv[4]));
    std::vector<double> setup, bare;
    TimeToWindow(argv[1], argv[2], 1015); // warm both up, untimed
    TimeToWindow(argv[3], argv[2], 2);
    for (int i = 0; i < rounds; ++i) {
        const double s = TimeToWindow(argv[1], argv[2], 1015);
        const double b = TimeToWindow(argv[3], argv[2], 2);
        if (s < 0 || b < 0) {
            std::fprintf(stderr, "bench_startup: a program showed no window\n");
            return 1;
        }
        setup.push_back(s);
        bare.push_back(b);
    }
    const double s = Median(setup), b = Median(bare);
    std::printf("start-up to window, median of %d rounds: setup.exe %.1f ms, bare dialog %.1f ms, "
                "ratio %.2f\n",
                rounds, s, b, s / b);

    constexpr DWORD kSettleMs = 500;
    std::vector<double> setupMemory, bareMemory;
    for (int i = 0; i < std::min(rounds, 5); ++i) {
        setupMemory.push_back(Megabytes(IdlePeakWorkingSet(argv[1], argv[2], 1015, kSettleMs)));
        bareMemory.push_back(Megabytes(IdlePeakWorkingSet(argv[3], argv[2], 2, kSettleMs)));
    }
    const double sm = Median(setupMemory), bm = Median(bareMemory);
    std::printf("peak working set, window shown, median of %zu: setup.exe %.1f MB, bare dialog "
                "%.1f MB, setup over the bare dialog %.1f MB (budget 3.0 MB)\n",
                setupMemory.size(), sm, bm, sm - bm);
    return 0;
}
