#pragma once

#include <string>
#include <string_view>

// ASCII-only text helpers: script keywords, macro names and file names are
// compared without the locale, so that a byte above 127 is never folded.

bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
std::string ToUpperAscii(std::string_view text);

// The vertical bar stands for a blank in script words and PXD.INI values.
std::string BarsToBlanks(std::string text);
