#pragma once

// Where DLLs come from. setup runs elevated, started from folders anyone
// may write to (a CD copied to a share or a downloads folder), and a DLL of
// a system name lying beside the program must never be loaded. The CD
// programs import at load time only DLLs that Windows always takes from the
// system folder (tests/imports/win95_imports.txt says which), load every
// other system DLL by its full path (platform/system_library.h), and start
// with the call below. No <windows.h> here: portable tools call it too.

namespace platform {

// The first call of every program that goes on a CD: the DLLs that the
// system's own libraries load later are searched for in the system folder
// only (SetDefaultDllDirectories), or at least not in the current folder
// (SetDllDirectoryA("")) where the system lacks that. Windows 95, 98, ME and
// NT 4.0 have neither; nothing changes there.
void SearchDllsInSystemFolderOnly();

} // namespace platform
