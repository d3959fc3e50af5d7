#pragma once

#include "files/copy_progress.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct InstallSettings;
class InstallView;
class WrittenFiles;

// The progress labels of the current language: the catalog's CURRENT and
// TOTAL when the catalog is open, else the string table's.
ProgressLabels LoadProgressLabels();

// Bytes of the files a path names: a path ending in "*.*" is a search
// pattern, any other path a directory. With recurse, sub-directories count
// too.
std::uint64_t DirectorySize(const std::string &path, bool recurse);

// Every file setup installs goes through CopieFichier: the replace rule on
// modification times, a copy through "$$$$$$$$.TMP" beside the destination
// that replaces the destination only once it is complete, the source's time
// stamps, and the progress lines and bars moved after each block.
class CopyEngine {
public:
    static constexpr std::size_t kBlockSize = 0x40000;

    CopyEngine(const InstallSettings &settings, InstallView &view);

    // 1 when the destination now holds the file or was rightly kept, 0 when
    // the file was skipped. Without showProgress nothing is shown, counted
    // or waited for.
    int CopieFichier(const std::string &source, const std::string &destination, bool showProgress);

    CopyProgress &Progress() { return progress_; }
    // Labels in front of the progress lines; by default they are read from
    // the string table and the catalog when a file first shows progress.
    void SetLabels(ProgressLabels labels) {
        labels_ = std::move(labels);
        labelsLoaded_ = true;
    }

    // The NT family: a program file (core/trust_rules.h) in the install
    // folder is written whatever the dates say, since one left there may be
    // anyone's, and each one written goes to `written`, so that setup
    // starts or registers nothing there that this run did not write.
    void TrackPrograms(const std::string &installDir, WrittenFiles &written);

    // Copy buffer size; a test asks for one that cannot be had.
    void SetBufferSize(std::size_t bytes) {
        bufferSize_ = bytes;
        buffer_.clear();
    }

private:
    bool HaveBuffer();
    bool AlwaysReplaced(const std::string &destination) const;
    void Show(const std::string &source, bool kept);
    void WaitAfterBlock(std::uint32_t startTicks);

    const InstallSettings &settings_;
    InstallView &view_;
    CopyProgress progress_;
    ProgressLabels labels_;
    bool labelsLoaded_ = false;
    std::vector<char> buffer_; // one block buffer for the whole run
    std::size_t bufferSize_ = kBlockSize;
    // The Windows 95 family has no replacing rename: delete, then rename.
    bool deleteThenRename_;
    void *renameByHandle_ = nullptr; // SetFileInformationByHandle where the system has it
    std::string installDir_;
    WrittenFiles *written_ = nullptr;
};
