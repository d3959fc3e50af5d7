#pragma once

#include "core/install_view.h"

#include <cstdint>
#include <string>
#include <string_view>

// Labels in front of the progress lines: the pair of the run (catalog texts
// when the catalog is open, else the string table) and the string table's
// own pair, which a kept file shows.
struct ProgressLabels {
    std::string file;
    std::string total;
    std::string fileFromTable;
    std::string totalFromTable;
};

// Counters the copy engine moves; bytesDone starts again at PROGRESS START.
struct CopyProgress {
    std::uint64_t totalBytes = 0;
    std::uint64_t bytesDone = 0;
    std::uint64_t fileLength = 0;
    std::uint64_t fileDone = 0;
};

constexpr int kProgressBarWidth = 306;

// done * 100 / total, truncated; a total of 0 counts as complete.
int ProgressPercent(std::uint64_t done, std::uint64_t total);
// Width of a bar for done of total, truncated and never wider than the bar;
// a total of 0 gives the full bar.
int ProgressBarWidth(std::uint64_t done, std::uint64_t total);
// The file name part of a path: what follows its last backslash.
std::string_view BaseFileName(std::string_view path);

// The display after a block of the current file (or the whole file, when it
// was kept: then with the string table's labels and 100 %).
ProgressDisplay MakeProgressDisplay(const CopyProgress &progress, const ProgressLabels &labels,
                                    std::string_view sourcePath, bool kept);
