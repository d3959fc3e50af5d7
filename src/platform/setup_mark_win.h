#pragma once

namespace platform {

// The mark of a running setup or Uninst.exe: one at a time on the machine,
// whoever runs it. On NT 5 and later it lives in the global namespace, so
// that a deployment tool's setup (the system, session 0) and a user's (their
// own session) see each other. Held until the process ends. False when
// another process holds it; a system that cannot make the mark at all is no
// reason to refuse.
bool ClaimSetupMark();

} // namespace platform
