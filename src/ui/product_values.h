#pragma once

#include <cstdint>
#include <string>

// Values of PXD.INI turned into what the run uses.

// "dir" -> "dir\"; an empty text stays empty.
std::string WithBackslash(std::string dir);

// A size in megabytes ("  700", "+12", "3abc") as a 32-bit byte count; like
// the original arithmetic, 4096 MB and more wrap around.
std::uint32_t MegabytesToBytes(const std::string &value);

// The CD's source directory: the current directory itself for ".", else the
// named folder below it.
std::string SourceDirectoryOf(const std::string &currentDir, const std::string &value);
