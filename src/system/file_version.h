#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// A file version as four numbers: major, minor, build, revision.
using FileVersion = std::array<std::int64_t, 4>;

// "1.2.3.4" read number by number the way "%d.%d.%d.%d" reads it; numbers
// that are not there count as 0.
FileVersion ParseVersion(std::string_view text);

// Whether the installed version is older than the wanted one, comparing
// major, then minor, build and revision.
bool VersionIsOlder(const FileVersion &installed, const FileVersion &wanted);
