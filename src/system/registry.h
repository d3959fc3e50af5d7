#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// Every registry value setup writes goes through these two. The key is
// created when it is missing; an existing one is reopened for writing. True
// when the key could be created or opened, whatever became of the value. An
// empty value name sets the key's default value.
bool SetRegistryString(HKEY root, const std::string &subkey, const std::string &valueName,
                       const std::string &text);
bool SetRegistryDword(HKEY root, const std::string &subkey, const std::string &valueName,
                      std::uint32_t number);
