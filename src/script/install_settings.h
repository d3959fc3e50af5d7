#pragma once

#include <string>
#include <vector>

// What the script pre-pass collects for the run.
struct InstallSettings {
    std::vector<std::string> commands; // the command list, verbatim
};
