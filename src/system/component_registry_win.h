#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// Registry values of the components. A key is created when missing; an
// existing one is opened again for writing. False when the key could be
// neither created nor opened; the outcome of the value write is not told.
bool WriteComponentString(HKEY root, const std::string &key, const std::string &value,
                          const std::string &text);
bool WriteComponentDword(HKEY root, const std::string &key, const std::string &value,
                         std::uint32_t number);
