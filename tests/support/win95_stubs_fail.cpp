// Linked into a test program or a test twin of setup.exe that runs in Wine's
// win98 mode (its AppDefaults entry in scripts/wine-up): the Windows 95
// family's stubs then fail as on a real Windows 98, and no function newer
// than Windows 95 is found (platform/windows_family.h).

#include "platform/windows_family.h"

namespace {

struct StubsFail {
    StubsFail() { platform::SetWindows95StubsFail(true); }
} stubsFail;

} // namespace
