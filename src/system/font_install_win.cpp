#include "system/font_install.h"

// Fonts are not installed yet; the pre-pass already hands every INSTALL FONT
// line here.
void InstallScriptFont(RunState &, const std::string &, const std::string &, const std::string &) {}
