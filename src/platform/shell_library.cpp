#include "platform/shell_library.h"

#include "platform/system_library.h"

namespace {

ShellFunctions Load() {
    using platform::FindFunction;
    ShellFunctions functions;
    const HMODULE library = platform::LoadSystemLibrary("shell32.dll");
    FindFunction(library, "SHGetMalloc", functions.getMalloc);
    FindFunction(library, "SHGetSpecialFolderLocation", functions.getSpecialFolderLocation);
    FindFunction(library, "SHGetDesktopFolder", functions.getDesktopFolder);
    FindFunction(library, "SHGetPathFromIDListA", functions.getPathFromIDList);
    FindFunction(library, "ShellExecuteA", functions.shellExecute);
    return functions;
}

} // namespace

const ShellFunctions &ShellCalls() {
    static const ShellFunctions functions = Load();
    return functions;
}
