#include "platform/optional_api.h"

namespace {

template <typename Function> void Find(HMODULE module, const char *name, Function &function) {
    function =
        reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

OptionalKernel32 LookUp() {
    OptionalKernel32 functions;
    // kernel32 is mapped into every process for its whole life.
    if (HMODULE kernel = GetModuleHandleA("kernel32.dll")) {
        Find(kernel, "GetDiskFreeSpaceExA", functions.getDiskFreeSpaceEx);
        Find(kernel, "GetFileAttributesExA", functions.getFileAttributesEx);
        Find(kernel, "SetFileInformationByHandle", functions.setFileInformationByHandle);
    }
    return functions;
}

} // namespace

const OptionalKernel32 &Kernel32() {
    static const OptionalKernel32 functions = LookUp();
    return functions;
}
