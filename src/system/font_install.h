#pragma once

#include <string>

struct RunState;

// An INSTALL FONT line of the script: the font file, the directory word it
// lies in (a path macro, or none for the source directory) and the face
// name. Called by the pre-pass, before the main window is shown. False when
// the file argument is malformed: "Wrong file format" was shown and the
// installation ends.
bool InstallScriptFont(RunState &run, const std::string &fontFile, const std::string &where,
                       const std::string &faceName);
