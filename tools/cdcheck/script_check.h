#pragma once

#include "checks.h"

#include <string>
#include <string_view>

// The line-by-line check of an install script's text, apart from the CD:
// without a folder no source file is looked for.
struct ScriptCheckContext {
    std::string file;             // the script's name for the diagnostics
    std::string sourceDir;        // CD path of the source directory ("" or "DATA\")
    const CdFolder *cd = nullptr; // the CD, or nullptr
};

void CheckScriptText(std::string_view text, const ScriptCheckContext &context, CdFacts &facts,
                     Findings &findings);

// The known keyword nearest to the start of a line that is no command, in
// the interpreter's spelling; "" when none is near.
std::string NearestKeyword(std::string_view line);
