#pragma once

#include "core/script_commands.h"

#include <string_view>

// What a kept script line means: its command with the words read the way
// the interpreter reads them (exact, upper-case keywords; "PC_" twins; each
// word cut to the script word limit), an UnknownLine for a line that is no
// command, or a BadLine for a command whose arguments cannot be run.
ScriptCommand ParseCommand(std::string_view line);
