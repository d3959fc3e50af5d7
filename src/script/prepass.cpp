#include "script/prepass.h"

#include "ui/run_state.h"

#include <cstdio>

// Until the walk exists, a script that opens is a usable script.
bool RunScriptPrePass(RunState &run) {
    std::FILE *file = std::fopen(run.scriptPath.c_str(), "rb");
    if (!file) return false;
    std::fclose(file);
    return true;
}
