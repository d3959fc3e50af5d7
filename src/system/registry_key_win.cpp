#include "system/registry_key_win.h"

RegistryKey::RegistryKey(HKEY root, const std::string &subkey) {
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key_) != ERROR_SUCCESS)
        key_ = nullptr;
}

void RegistryKey::Close() {
    if (key_)
        RegCloseKey(key_);
    key_ = nullptr;
}

std::string RegistryKey::Text(const char *value) const {
    char text[MAX_PATH + 16] = {};
    DWORD size = sizeof text - 1;
    DWORD type = 0;
    if (!key_ ||
        RegQueryValueExA(key_, value, nullptr, &type, reinterpret_cast<BYTE *>(text), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return "";
    return text;
}

std::vector<std::string> RegistryKey::Subkeys() const {
    std::vector<std::string> names;
    for (DWORD index = 0; key_; ++index) {
        char name[256];
        DWORD length = sizeof name;
        const LONG result =
            RegEnumKeyExA(key_, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result == ERROR_SUCCESS)
            names.emplace_back(name, length);
    }
    return names;
}
