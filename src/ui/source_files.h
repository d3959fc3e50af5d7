#pragma once

#include <string_view>

// The files setup looks for at the root of the CD. The script is the first
// of kScriptFileNames that is there; names compare without regard to case.
constexpr std::string_view kSettingsFileName = "PXD.INI";
constexpr std::string_view kScriptFileNames[] = {"SCRIPT.INF", "SETUP.INF"};
constexpr std::string_view kMarkerPattern = "*.CD?";
