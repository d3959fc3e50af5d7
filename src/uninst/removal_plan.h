#pragma once

#include "core/install_record.h"
#include "system/record_bounds.h"

#include <cstdint>
#include <string>
#include <vector>

// What the uninstaller does with a record: portable, decided before anything
// is touched, then carried out step by step by the Win32 part.

enum class StepKind {
    RemoveLink,     // a shortcut, while it still points into the install directory
    RemoveFile,     // a file, while its size and time stamp are the recorded ones
    RemoveFolder,   // a folder, once empty
    RemoveValue,    // a registry value
    RemoveKey,      // a registry key, once it has neither values nor subkeys
    RemovePathLines // the marker and PATH lines of the batch file for the directory
};

struct RemovalStep {
    StepKind kind = StepKind::RemoveFile;
    RecordEntry entry;
};

struct RemovalPlan {
    int language = 0;
    std::vector<RemovalStep> steps;   // in the order to carry them out
    std::vector<RecordEntry> refused; // lines outside the bounds: nothing is done with them
};

// Only the lines that pass the bounds (system/record_bounds.h), their paths
// canonical; newest first, each thing once (but each recorded append of the
// batch lines, as every run appends them again); shortcuts only while they
// point into the install directory. The product's uninstall key goes last,
// so that a removal that stops half way can be started again from the list
// of programs.
RemovalPlan PlanRemoval(const ParsedRecord &record, const RecordBounds &bounds,
                        const CanonicalPathFn &canonical);

// The batch file's content without the marker line and the PATH line setup
// appended for the directory: the last such pair is taken out, every other
// line stays byte for byte. removed tells whether the pair was found.
std::string RemovePathLines(const std::string &content, const std::string &directory,
                            bool &removed);

// The [rename] lines of wininit.ini that delete the files at the next start
// on the Windows 95 family ("NUL=path", short paths), added at the end of
// the section, which runs in order; a missing section is appended.
std::string AddWininitDeletes(const std::string &content, const std::vector<std::string> &paths);
