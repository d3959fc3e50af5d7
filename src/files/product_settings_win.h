#pragma once

#include "core/limits.h"

#include <string>

// A value of the product settings file (PXD.INI), read into a buffer of
// `capacity` bytes (at most kMaxSettingsValue and a zero) as the program always did: longer values
// are cut, a missing key is empty.
std::string ProductSetting(const std::string &settingsPath, const char *section, const char *key,
                           unsigned capacity = kMaxSettingsValue + 1);
