#include "system/file_version_win.h"

#include <windows.h>

#include <vector>

std::optional<FileVersion> InstalledFileVersion(const std::string &path) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0)
        return std::nullopt;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data()))
        return std::nullopt;
    void *data = nullptr;
    UINT length = 0;
    char root[] = "\\";
    if (!VerQueryValueA(block.data(), root, &data, &length) || !data ||
        length < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    const auto *info = static_cast<const VS_FIXEDFILEINFO *>(data);
    return FileVersion{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                       HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS)};
}
