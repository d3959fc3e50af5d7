#pragma once

#include <string>
#include <vector>

// The one name of a path: made full (GetFullPathNameA takes out its "." and
// ".." levels), then each level that exists spelt as the disk has it (its
// long name, not an 8.3 alias; the drive letter in capitals), without a
// final backslash but at a drive's root. "" when the path is not a full one
// ("X:\..." or "\\server\share\...") or too long.
std::string CanonicalPath(const std::string &path);

// The same for a path anyone may have written: "" also when it passes
// through a link to elsewhere (a junction, a symbolic link) that is not on
// the way to one of the trusted folders (canonical, each ending in a
// backslash): what such a path names cannot be told from its text. The
// last level may be a link: it is removed as the link it is.
std::string CanonicalPathWithin(const std::string &path,
                                const std::vector<std::string> &trustedFolders);

// CanonicalPath for a folder, ending in a backslash ("" when it cannot be
// made).
std::string CanonicalFolder(const std::string &path);
