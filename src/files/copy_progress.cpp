#include "files/copy_progress.h"

#include <algorithm>

int ProgressPercent(std::uint64_t done, std::uint64_t total) {
    if (total == 0)
        return 100;
    // Byte counts of a disk stay far below 2^57, so done * 100 cannot wrap.
    return static_cast<int>(std::min<std::uint64_t>(done * 100 / total, INT32_MAX));
}

int ProgressBarWidth(std::uint64_t done, std::uint64_t total) {
    if (total == 0 || done >= total)
        return kProgressBarWidth;
    return static_cast<int>(static_cast<double>(done) * kProgressBarWidth / total);
}

std::string_view BaseFileName(std::string_view path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

ProgressDisplay MakeProgressDisplay(const CopyProgress &progress, const ProgressLabels &labels,
                                    std::string_view sourcePath, bool kept) {
    ProgressDisplay display;
    const std::string_view name = BaseFileName(sourcePath);
    if (kept) {
        display.fileLine = labels.fileFromTable;
        display.fileLine.append(name).append(" 100%");
        display.totalLine = labels.totalFromTable;
        display.fileBarWidth = kProgressBarWidth;
    } else {
        display.fileLine = labels.file;
        display.fileLine.append(name).append(" ").append(
            std::to_string(ProgressPercent(progress.fileDone, progress.fileLength)) + "%");
        display.totalLine = labels.total;
        display.fileBarWidth = ProgressBarWidth(progress.fileDone, progress.fileLength);
    }
    display.totalLine +=
        std::to_string(ProgressPercent(progress.bytesDone, progress.totalBytes)) + "%";
    display.totalBarWidth = ProgressBarWidth(progress.bytesDone, progress.totalBytes);
    display.fileDone = progress.fileDone;
    display.fileLength = progress.fileLength;
    display.bytesDone = progress.bytesDone;
    display.totalBytes = progress.totalBytes;
    return display;
}
