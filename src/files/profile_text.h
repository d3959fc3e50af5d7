#pragma once

#include <optional>
#include <string>
#include <string_view>

// Reads a value from the text of an INI file the way the Windows profile
// functions do: section and key names compare without regard to case,
// blanks around names and values are dropped, a value in matching quotes
// loses them; the first matching key of the first matching section wins.
// Nothing when the section or key is missing. The value is returned whole:
// ProfileValueCut gives what a reader with a buffer of `capacity` bytes
// (terminating zero included) would see.
std::optional<std::string> ProfileValue(std::string_view text, std::string_view section,
                                        std::string_view key);

// ProfileValue with the line (from 1) that holds the key, for diagnostics.
struct ProfileEntry {
    std::string value;
    int line = 0;
};
std::optional<ProfileEntry> FindProfileEntry(std::string_view text, std::string_view section,
                                             std::string_view key);

std::string ProfileValueCut(const std::string &value, std::size_t capacity);
