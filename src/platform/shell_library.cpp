#include "platform/shell_library.h"

namespace {

template <typename Function> void Find(HMODULE library, const char *name, Function &function) {
    function =
        reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

ShellFunctions Load() {
    ShellFunctions functions;
    HMODULE library = LoadLibraryA("shell32.dll");
    if (!library)
        return functions;
    Find(library, "SHGetMalloc", functions.getMalloc);
    Find(library, "SHGetSpecialFolderLocation", functions.getSpecialFolderLocation);
    Find(library, "SHGetDesktopFolder", functions.getDesktopFolder);
    Find(library, "SHGetPathFromIDListA", functions.getPathFromIDList);
    Find(library, "ShellExecuteA", functions.shellExecute);
    return functions;
}

} // namespace

const ShellFunctions &ShellCalls() {
    static const ShellFunctions functions = Load();
    return functions;
}
