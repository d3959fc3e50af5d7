#pragma once

// Restarting the computer when the user agreed to it at the end of the
// install. The NT family refuses ExitWindowsEx until the process has enabled
// its shutdown privilege; the Windows 95 family has no privileges.

// Enables SE_SHUTDOWN_NAME in the process token on the NT family; true on
// the Windows 95 family, where nothing is needed.
bool EnableShutdownPrivilege();

// Asks the system to restart; false when it refused.
bool RestartComputer();
