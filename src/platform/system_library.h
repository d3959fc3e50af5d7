#pragma once

#include <windows.h>

namespace platform {

// The system DLL of that file name ("version.dll"), loaded by its full path
// in the system folder, never found by a search (platform/dll_search.h says
// why); null when it is not there. It stays loaded for the program's life.
HMODULE LoadSystemLibrary(const char *name);

// A function of a loaded library as the pointer type its caller keeps;
// null when the library is null or lacks it.
template <typename Function>
void FindFunction(HMODULE library, const char *name, Function &function) {
    function = library ? reinterpret_cast<Function>(
                             reinterpret_cast<void (*)()>(GetProcAddress(library, name)))
                       : nullptr;
}

} // namespace platform
