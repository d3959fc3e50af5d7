#pragma once

#include <windows.h>

#include <string>

// Asks the question (Yes/No, caption "Setup", modal over `owner`) and on Yes
// hands the address to the shell. Returns whether the user said Yes.
bool AskAndBrowse(HWND owner, const std::string &question, const std::string &address);
