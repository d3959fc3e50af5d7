#include "ui/welcome_text.h"

#include "core/limits.h"

#include <cstdio>

std::string ComposeWelcomeText(const WelcomeParts &parts) {
    char version[32];
    std::snprintf(version, sizeof version, "%01d.%02d\n", parts.version / 100, parts.version % 100);

    // Megabyte units as each language writes them.
    const char *format = parts.languageIndex == 1   ? "%ld Mb"
                         : parts.languageIndex == 2 ? "%ld MB"
                                                    : "%ld Mo.";
    char space[32];
    std::snprintf(space, sizeof space, format, static_cast<long>(parts.requiredBytes >> 20));

    return parts.titlePrefix + "\n" + parts.product.substr(0, kMaxShownProductName) + " V." +
           version + parts.requiredLabel + space;
}
