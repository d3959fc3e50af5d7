#include "platform/optional_api.h"

#include "platform/windows_family.h"

namespace {

template <typename Function> void Find(const char *name, Function &function) {
    function = reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(platform::FindNewerFunction("kernel32.dll", name)));
}

OptionalKernel32 LookUp() {
    OptionalKernel32 functions;
    Find("GetDiskFreeSpaceExA", functions.getDiskFreeSpaceEx);
    Find("GetFileAttributesExA", functions.getFileAttributesEx);
    // The Windows 95 family replaces files its own way: never looked for there.
    if (!platform::IsWindows95Family())
        Find("SetFileInformationByHandle", functions.setFileInformationByHandle);
    return functions;
}

} // namespace

const OptionalKernel32 &Kernel32() {
    static const OptionalKernel32 functions = LookUp();
    return functions;
}
