#pragma once

#include <string>

// Messages kept in .\setup.ini (relative to the current directory, the CD
// root), one section per language, keys "Message<n>". The currency sign in
// a value stands for a line break.

// The value, or "" when the key or the file is missing.
std::string SetupIniMessage(int number);

// The value, or "Message<n> Not Found" when the key is missing.
std::string SetupIniControlMessage(int number);
