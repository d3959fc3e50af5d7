// Walks a generated 100,000-line script (a mix of the lines real scripts
// hold, most of them sized COPY lines) and prints the median of a few runs.
//   build/<native tree>/bench/prepass/bench_prepass [runs]
#include "script/prepass_walk.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class TableEffects : public PrePassEffects {
public:
    bool FileSize(const std::string &path, std::uint64_t &bytes) override {
        bytes = path.size() * 1000;
        return true;
    }
    std::uint64_t DirectorySize(const std::string &path, bool) override { return path.size(); }
    bool InstallFont(const std::string &, const std::string &, const std::string &) override {
        return true;
    }
};

std::string MakeScript(int lines) {
    static const char *const kOthers[] = {
        "; a comment line explaining the next step",
        "MKDIR DATA\\LEVEL *DESTDIR",
        "COPYDIR IMAGES\\*.* *DESTDIR\\IMAGES",
        "KILL Notepad Untitled -",
        "MESSAGE INSTALL_STEP 1 2",
        "MAC_COPY A.DAT *DESTDIR",
        "USEFONT MESSAGE1 Arial 0 16 BOLD ITALIC NONE",
        "",
    };
    std::string text = "PROGRESS START\r\n";
    for (int i = 1; i < lines - 1; ++i) {
        if (i % 4 == 0) {
            text += kOthers[(i / 4) % 8];
        } else {
            text += "COPY DATA\\FILE" + std::to_string(i) + ".DAT *DESTDIR";
        }
        text += "\r\n";
    }
    return text + "PROGRESS END\r\n";
}

} // namespace

int main(int argc, char **argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 7;
    const std::string script = MakeScript(100000);
    const PrePassContext context{"D:\\DATA\\", "DEMOA110.CD1"};
    std::vector<double> times;
    std::size_t kept = 0;
    for (int i = 0; i < runs; ++i) {
        TableEffects effects;
        InstallSettings settings;
        const auto start = std::chrono::steady_clock::now();
        WalkScript(script, context, effects, settings);
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double>(end - start).count());
        kept = settings.commands.size();
    }
    std::sort(times.begin(), times.end());
    std::printf("100000 lines (%zu bytes, %zu kept): median %.1f ms, best %.1f ms\n", script.size(),
                kept, times[times.size() / 2] * 1000, times.front() * 1000);
    return 0;
}
