#pragma once

#include <string>

class InstallView;

// Appends the marker and PATH lines for the directory to a batch file. A
// missing file is left missing. The new content is written beside the file
// and replaces it only once complete, so that a full disk never costs the
// old one. False when reading or writing failed: the user has been told and
// the run must end.
bool AppendPathToBatchFile(const std::string &batchPath, const std::string &directory,
                           InstallView &view);
