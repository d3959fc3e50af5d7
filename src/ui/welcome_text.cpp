#include "ui/welcome_text.h"

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

    // The welcome text has room for 79 characters of the name.
    constexpr std::size_t kMaxProductName = 79;
    return parts.titlePrefix + "\n" + parts.product.substr(0, kMaxProductName) + " V." + version +
           parts.requiredLabel + space;
}
