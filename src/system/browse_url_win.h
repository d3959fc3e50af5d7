#pragma once

#include <string>

// Asks the question (Yes/No, caption "Setup") and on Yes hands the address
// to the shell. Returns whether the user said Yes.
bool AskAndBrowse(const std::string &question, const std::string &address);
