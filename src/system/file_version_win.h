#pragma once

#include "system/file_version.h"

#include <optional>
#include <string>

// The file version of a file's version resource; nothing when the file is
// missing or has none.
std::optional<FileVersion> InstalledFileVersion(const std::string &path);
