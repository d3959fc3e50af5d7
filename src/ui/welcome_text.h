#pragma once

#include <cstdint>
#include <string>

// The welcome text of the main window when no catalog speaks for the CD:
// title prefix, product and version, then the space the product needs.
struct WelcomeParts {
    std::string titlePrefix;   // string table, group 1
    std::string product;       // [general] product; the text shows 79 characters
    int version = 0;           // times 100
    std::string requiredLabel; // string table, group 31
    std::uint32_t requiredBytes = 0;
    int languageIndex = 0;
};

std::string ComposeWelcomeText(const WelcomeParts &parts);
