#include "files/product_settings_win.h"

#include <windows.h>

std::string ProductSetting(const std::string &settingsPath, const char *section, const char *key,
                           unsigned capacity) {
    char buffer[kMaxSettingsValue + 1];
    if (capacity > sizeof buffer)
        capacity = sizeof buffer;
    const DWORD length =
        GetPrivateProfileStringA(section, key, "", buffer, capacity, settingsPath.c_str());
    return std::string(buffer, length);
}
