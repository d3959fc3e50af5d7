// Copies one generated tree (a 200 MB file, 2,000 files of 100 KB, 5,000
// files of 1 KB) with CopieFichier and with a CopyFileA loop, interleaved,
// each run into a never-used folder, and prints medians and their ratio.
//   taskset -c 0 scripts/wine-run BUILD bench_copy.exe E:\bench [rounds [part]]
// (pin the prefix's wineserver to the same CPU first: taskset -cp 0 PID).
#include "bench_tree.h"
#include "files/copy_engine.h"
#include "core/install_settings.h"
#include "core/install_view.h"

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
    int ShowMessage(const MessageRequest &) override { return 1; }
    void RequestRestart() override {}
    void ShowImage(const ImageCommand &) override {}
    std::uint32_t FastTicks() const override { return 0; }
    bool PumpMessage() override { return false; }
    void EndRun(int) override {}
    bool RunEnded() const override { return false; }
};

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
    Tree tree = MakeTreeList(200u << 20, 2000, 5000);
    CreateDirectoryA(work.c_str(), nullptr);
    GenerateTree(work + "source\\", tree);
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
