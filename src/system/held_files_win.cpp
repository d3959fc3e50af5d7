#include "system/held_files_win.h"

#include "core/app_state.h"
#include "core/run_state.h"
#include "core/trust_rules.h"
#include "files/canonical_path_win.h"
#include "files/file_status_win.h"
#include "files/no_follow_win.h"
#include "platform/windows_family.h"

namespace {

constexpr DWORD kChunk = 64 * 1024;

bool ReadChunk(HANDLE file, char *buffer, DWORD want) {
    DWORD got = 0;
    return ReadFile(file, buffer, want, &got, nullptr) && got == want;
}

} // namespace

HeldFiles::~HeldFiles() {
    for (HANDLE handle : held_)
        CloseHandle(handle);
}

bool HeldFiles::SameAsSource(HANDLE file, const std::string &source) const {
    FileHandle original(CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    HandleStatus ours;
    HandleStatus theirs;
    if (!original || !StatusOf(file, ours) || !StatusOf(original.Get(), theirs) || IsLink(ours) ||
        ours.size != theirs.size)
        return false;
    std::vector<char> a(kChunk);
    std::vector<char> b(kChunk);
    for (std::uint64_t left = ours.size; left > 0;) {
        const DWORD want = static_cast<DWORD>(left < kChunk ? left : kChunk);
        if (!ReadChunk(file, a.data(), want) || !ReadChunk(original.Get(), b.data(), want) ||
            std::char_traits<char>::compare(a.data(), b.data(), want) != 0)
            return false;
        left -= want;
    }
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    return true;
}

bool HeldFiles::Hold(const std::string &path) {
    if (platform::IsWindows95Family())
        return true;
    // A path relative to setup's own folder (a script's *NONE) made full.
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    const std::string canonical =
        length > 0 && length < sizeof full ? CanonicalPath(std::string(full, length)) : "";
    const LaunchDecision decision =
        DecideLaunch(canonical, CanonicalFolder(run_.dirs.install), run_.written);
    if (decision.check == LaunchCheck::Start)
        return true;
    if (decision.check == LaunchCheck::SameAsSource) {
        // Read, run and load, never write, rename or delete, while held.
        const HANDLE file = OpenNoFollow(path, GENERIC_READ, FILE_SHARE_READ);
        if (file != INVALID_HANDLE_VALUE) {
            if (SameAsSource(file, decision.source)) {
                held_.push_back(file);
                return true;
            }
            CloseHandle(file);
        }
    }
    ReportFailure("Not used: " + path +
                  " lies in the install folder and is not the file this setup wrote there");
    return false;
}
