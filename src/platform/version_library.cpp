#include "platform/version_library.h"

#include "platform/system_library.h"

namespace {

VersionFunctions Load() {
    VersionFunctions functions;
    const HMODULE library = platform::LoadSystemLibrary("version.dll");
    platform::FindFunction(library, "GetFileVersionInfoSizeA", functions.getFileVersionInfoSize);
    platform::FindFunction(library, "GetFileVersionInfoA", functions.getFileVersionInfo);
    platform::FindFunction(library, "VerQueryValueA", functions.verQueryValue);
    return functions;
}

} // namespace

const VersionFunctions &VersionCalls() {
    static const VersionFunctions functions = Load();
    return functions;
}
