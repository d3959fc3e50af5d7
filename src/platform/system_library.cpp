#include "platform/system_library.h"

#include <cstring>

namespace platform {

HMODULE LoadSystemLibrary(const char *name) {
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    if (path[length - 1] != '\\')
        path[length++] = '\\';
    const std::size_t nameLength = std::strlen(name);
    if (length + nameLength >= sizeof path)
        return nullptr;
    std::memcpy(path + length, name, nameLength + 1);
    return LoadLibraryA(path);
}

} // namespace platform
