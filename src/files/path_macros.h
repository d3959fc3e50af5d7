#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct Directories;
class InstallView;

// Expands a script file argument: "NAME" (in the source directory),
// "NAME *MACRO", "NAME *NONE" (as written) or a lone "*MACRO". Macros are
// *SOURCEDIR, *DESTDIR, *WINDOWSDIR, *SYSTEMDIR, *DESKTOP and *NONE in any
// case; "|" in the result becomes a blank. Nothing for an empty argument, a
// macro followed by a word, or a word that is no known macro.
std::optional<std::string> ExpandFileName(std::string_view argument, const Directories &dirs);

// The macro names, in the order above: for the checker and the guide's test.
std::vector<std::string_view> PathMacroNames();

// ExpandFileName for the script commands: a malformed argument shows "Wrong
// file format" and ends the installation; the caller then stops too.
std::optional<std::string> PrepareFileName(std::string_view argument, const Directories &dirs,
                                           InstallView &view);

// Replaces the first "*PRODUCT" (any case) and everything after it with the
// product name (at most 79 characters). Returns the text.
std::string &ReplaceProductToken(std::string &text, const std::string &productName);
