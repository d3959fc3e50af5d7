#pragma once

#include <cstddef>

// How much of a value setup reads or shows: longer values are cut to these
// lengths (in characters or bytes, no terminating zero counted). The author's
// guide lists them on its limits page; a unit test keeps the two equal.

// A value of PXD.INI.
constexpr std::size_t kMaxSettingsValue = 255;
// The product name in the welcome text and where "*PRODUCT" stands for it
// (group, shortcut and KILL titles).
constexpr std::size_t kMaxShownProductName = 79;
// The product name in the uninstall entry's display name.
constexpr std::size_t kMaxUninstallProductName = 127;
// Bytes of a catalog text: the lookup buffer holds this many and a zero.
constexpr std::size_t kMaxCatalogText = 254;
// A value of setup.ini.
constexpr std::size_t kMaxSetupIniValue = 2047;
// A USEFONT face name: a longer one names no font.
constexpr std::size_t kMaxFontFace = 31;
// A folder path MKDIR creates.
constexpr std::size_t kMaxDirectoryPath = 255;
// The file-name part of a Startup shortcut's name.
constexpr std::size_t kMaxStartupLinkName = 31;
