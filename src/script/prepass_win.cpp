#include "script/prepass.h"

#include "files/copy_engine.h"
#include "files/file_status_win.h"
#include "script/prepass_walk.h"
#include "system/font_install.h"
#include "core/run_state.h"

#include <windows.h>

#include <new>
#include <string>

namespace {

class WinPrePassEffects : public PrePassEffects {
public:
    explicit WinPrePassEffects(RunState &run) : run_(run) {}

    bool FileSize(const std::string &path, std::uint64_t &bytes) override {
        WIN32_FILE_ATTRIBUTE_DATA status;
        bytes = 0;
        if (QueryFileStatus(path, status) && !(status.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            bytes = std::uint64_t{status.nFileSizeHigh} << 32 | status.nFileSizeLow;
        return true;
    }
    std::uint64_t DirectorySize(const std::string &path, bool recurse) override {
        return ::DirectorySize(path, recurse);
    }
    bool InstallFont(const std::string &fontFile, const std::string &where,
                     const std::string &faceName) override {
        ended_ = !InstallScriptFont(run_, fontFile, where, faceName);
        return !ended_;
    }
    bool Ended() const { return ended_; }

private:
    RunState &run_;
    bool ended_ = false;
};

// The whole script in memory; others may read it meanwhile but not write.
bool LoadScript(const std::string &path, std::string &text) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return false;
    DWORD high = 0;
    const DWORD length = GetFileSize(file.Get(), &high);
    if ((length == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || high != 0)
        return false;
    try {
        text.resize(length);
    } catch (const std::exception &) {
        return false;
    }
    DWORD done = 0;
    while (done < length) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), text.data() + done, length - done, &got, nullptr) || got == 0)
            return false;
        done += got;
    }
    return true;
}

} // namespace

PrePassOutcome RunScriptPrePass(RunState &run) {
    std::string text;
    if (!LoadScript(run.scriptPath, text))
        return PrePassOutcome::Failed;
    WinPrePassEffects effects(run);
    if (WalkScript(text, PrePassContext{run.dirs.source, run.markerName}, effects, run.settings))
        return PrePassOutcome::Done;
    return effects.Ended() ? PrePassOutcome::Ended : PrePassOutcome::Failed;
}
