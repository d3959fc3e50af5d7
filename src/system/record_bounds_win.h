#pragma once

#include "system/record_bounds.h"

#include <string>

// The bounds of the installation in installDir as the system gives them:
// the shell's folders, the batch file, and the names of the installation's
// registry keys, read from what only an administrator may write on the NT
// family: the uninstall entry whose uninstaller lies in uninstallerDir (the
// entry's own protected folder, or the install directory on the Windows 95
// family), the speech engine whose server lies in installDir, the product
// whose speech settings point there. Every path canonical.
RecordBounds InstallBounds(const std::string &installDir, const std::string &uninstallerDir);

// How the record's paths are made canonical for the bounds: a path through
// a link is refused unless the link is on the way to the install directory
// or a shell folder.
CanonicalPathFn RecordPathsWithin(const RecordBounds &bounds);
