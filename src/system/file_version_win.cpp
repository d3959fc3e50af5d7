#include "system/file_version_win.h"

#include "platform/version_library.h"

#include <windows.h>

#include <vector>

std::optional<FileVersion> InstalledFileVersion(const std::string &path) {
    // Without version.dll no file has version information.
    const VersionFunctions &version = VersionCalls();
    if (!version.getFileVersionInfoSize || !version.getFileVersionInfo || !version.verQueryValue)
        return std::nullopt;
    DWORD handle = 0;
    const DWORD size = version.getFileVersionInfoSize(path.c_str(), &handle);
    if (size == 0)
        return std::nullopt;
    std::vector<char> block(size);
    if (!version.getFileVersionInfo(path.c_str(), 0, size, block.data()))
        return std::nullopt;
    void *data = nullptr;
    UINT length = 0;
    if (!version.verQueryValue(block.data(), "\\", &data, &length) || !data ||
        length < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    const auto *info = static_cast<const VS_FIXEDFILEINFO *>(data);
    return FileVersion{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                       HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS)};
}
