#pragma once

// Files of the scenarios' Wine world, read and written the plain way.

#include <string>

namespace e2e {

// The bytes of a file; `missing` when it cannot be read.
std::string ReadBytes(const std::string &path, const std::string &missing = "<missing>");
// Writes the bytes, replacing the file; false when it cannot be made.
bool WriteBytes(const std::string &path, const std::string &bytes);
bool Exists(const std::string &path);
// Removes a folder with everything below it, read-only files too.
void RemoveTree(const std::string &dir);

// What the sample CD's stand-in programs recorded in SAMPLECD.INI of the
// Windows directory: `key` ("Command line", "Folder", "Installed") of the
// program's file name; "<not run>" when it has no record.
std::string StandInRecord(const char *program, const char *key);
// Forgets every record, and the component the stand-in installer put into
// the system directory.
void ForgetStandIns();

} // namespace e2e
