// Copies one generated tree (a 200 MB file, 2,000 files of 100 KB, 5,000
// files of 1 KB) with CopieFichier and with a CopyFileA loop, interleaved,
// each run into a never-used folder, and prints medians and their ratio.
//   taskset -c 0 scripts/wine-run BUILD bench_copy.exe E:\bench [rounds [part]]
// (pin the prefix's wineserver to the same CPU first: taskset -cp 0 PID).
#include "files/copy_engine.h"
#include "script/install_settings.h"
#include "ui/install_view.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Progress goes nowhere; what is measured is the engine's own work.
class QuietView : public InstallView {
public:
    void ShowProgress(const ProgressDisplay &) override {}
    void SetMessage(const std::string &) override {}
    void ShowWindow(bool) override {}
    void Alert(const std::string &text, const std::string &) override {
        std::fprintf(stderr, "alert: %s\n", text.c_str());
    }
    std::uint32_t FastTicks() const override { return 0; }
    bool PumpMessage() override { return false; }
    void EndRun(int) override {}
    bool RunEnded() const override { return false; }
};

struct Tree {
    std::vector<std::string> dirs;  // relative, created first
    std::vector<std::string> files; // relative
};

Tree MakeTreeList() {
    Tree tree;
    tree.dirs = {"big", "medium", "small"};
    tree.files.push_back("big\\huge.bin");
    for (int i = 0; i < 2000; ++i)
        tree.files.push_back("medium\\m" + std::to_string(i) + ".bin");
    for (int i = 0; i < 5000; ++i)
        tree.files.push_back("small\\s" + std::to_string(i) + ".bin");
    return tree;
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

void Generate(const std::string &source, const Tree &tree) {
    if (GetFileAttributesA((source + "ready").c_str()) != INVALID_FILE_ATTRIBUTES)
        return;
    CreateDirectoryA(source.c_str(), nullptr);
    for (const auto &dir : tree.dirs)
        CreateDirectoryA((source + dir).c_str(), nullptr);
    WriteFilled(source + tree.files[0], 200u << 20, 'h');
    for (std::size_t i = 1; i < tree.files.size(); ++i)
        WriteFilled(source + tree.files[i], i <= 2000 ? 100 * 1024 : 1024, 'a' + i % 26);
    WriteFilled(source + "ready", 0, 0);
}

// Reads the whole source once, untimed, so both variants start from a warm
// page cache.
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

template <typename CopyOne>
double TimeCopy(const std::string &source, const std::string &target, const Tree &tree,
                CopyOne copyOne) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    CreateDirectoryA(target.c_str(), nullptr);
    for (const auto &dir : tree.dirs)
        CreateDirectoryA((target + dir).c_str(), nullptr);
    for (const auto &file : tree.files) {
        if (!copyOne(source + file, target + file)) {
            std::fprintf(stderr, "copy failed: %s\n", file.c_str());
            std::exit(1);
        }
    }
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_copy WORKDIR [rounds]\n");
        return 2;
    }
    std::string work = argv[1];
    if (work.back() != '\\')
        work += '\\';
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    Tree tree = MakeTreeList();
    CreateDirectoryA(work.c_str(), nullptr);
    Generate(work + "source\\", tree);
    if (argc > 3) { // only one part of the tree: big, medium or small
        const std::string part = std::string(argv[3]) + "\\";
        std::erase_if(tree.files, [&](const std::string &f) { return f.rfind(part, 0) != 0; });
    }
    const std::string source = work + "source\\";

    InstallSettings settings;
    settings.totalBytes = (200u << 20) + 2000u * 100 * 1024 + 5000u * 1024;
    QuietView view;
    CopyEngine engine(settings, view);
    const std::string run = std::to_string(GetTickCount());

    std::vector<double> plain, engineTimes;
    for (int round = 0; round < rounds; ++round) {
        const std::string tag = run + "-" + std::to_string(round);
        Warm(source, tree);
        plain.push_back(TimeCopy(source, work + "plain-" + tag + "\\", tree,
                                 [](const std::string &from, const std::string &to) {
                                     return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
                                 }));
        Warm(source, tree);
        engineTimes.push_back(TimeCopy(source, work + "engine-" + tag + "\\", tree,
                                       [&](const std::string &from, const std::string &to) {
                                           return engine.CopieFichier(from, to, true) == 1;
                                       }));
        std::printf("round %d: CopyFileA %.3f s, CopieFichier %.3f s\n", round, plain.back(),
                    engineTimes.back());
    }
    const double a = Median(plain), b = Median(engineTimes);
    std::printf("median: CopyFileA %.3f s, CopieFichier %.3f s, ratio %.3f\n", a, b, b / a);
    return 0;
}
