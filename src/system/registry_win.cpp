#include "system/registry.h"

#include "core/install_record.h"
#include "system/registry_key_win.h"

#include <vector>

namespace {

const char *RootName(HKEY root) {
    if (root == HKEY_CLASSES_ROOT)
        return "HKCR";
    if (root == HKEY_CURRENT_USER)
        return "HKCU";
    if (root == HKEY_LOCAL_MACHINE)
        return "HKLM";
    if (root == HKEY_USERS)
        return "HKU";
    if (root == HKEY_CURRENT_CONFIG)
        return "HKCC";
    return nullptr;
}

bool KeyExists(HKEY root, const std::string &subkey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The levels of the subkey that do not exist yet, outermost first: the
// create makes them all, and the record must name each.
std::vector<std::string> MissingLevels(HKEY root, const std::string &subkey) {
    std::vector<std::string> levels;
    for (std::size_t at = 0; at <= subkey.size(); ++at) {
        if (at != subkey.size() && subkey[at] != '\\')
            continue;
        if (at == 0 || subkey[at - 1] == '\\')
            continue;
        const std::string level = subkey.substr(0, at);
        if (levels.empty() && KeyExists(root, level))
            continue;
        levels.push_back(level);
    }
    return levels;
}

void RecordRegistry(RecordKind kind, HKEY root, const std::string &subkey,
                    const std::string &valueName) {
    const char *rootName = RootName(root);
    if (!rootName)
        return;
    RecordEntry entry;
    entry.kind = kind;
    entry.root = rootName;
    entry.path = subkey;
    entry.second = valueName;
    RecordInstalled(entry);
}

bool ValueExists(HKEY key, const std::string &valueName) {
    return RegQueryValueExA(key, valueName.empty() ? nullptr : valueName.c_str(), nullptr, nullptr,
                            nullptr, nullptr) == ERROR_SUCCESS;
}

// Creates the key, or reopens an existing one for writing (the handle of the
// create is closed then: it serves no further purpose).
bool OpenForWriting(HKEY root, const std::string &subkey, RegistryKey &key) {
    char keyClass[] = " ";
    DWORD disposition = 0;
    const std::vector<std::string> missing =
        Recording() ? MissingLevels(root, subkey) : std::vector<std::string>();
    if (RegCreateKeyExA(root, subkey.c_str(), 0, keyClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, key.Out(), &disposition) != ERROR_SUCCESS)
        return false;
    if (disposition == REG_OPENED_EXISTING_KEY) {
        if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_WRITE, key.Out()) != ERROR_SUCCESS)
            return false;
    }
    for (const std::string &level : missing)
        RecordRegistry(RecordKind::RegistryKey, root, level, "");
    return true;
}

} // namespace

bool SetRegistryString(HKEY root, const std::string &subkey, const std::string &valueName,
                       const std::string &text) {
    RegistryKey key;
    if (!OpenForWriting(root, subkey, key))
        return false;
    const bool existed = ValueExists(key.Get(), valueName);
    if (RegSetValueExA(key.Get(), valueName.empty() ? nullptr : valueName.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE *>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS &&
        !existed)
        RecordRegistry(RecordKind::RegistryValue, root, subkey, valueName);
    return true;
}

bool SetRegistryDword(HKEY root, const std::string &subkey, const std::string &valueName,
                      std::uint32_t number) {
    RegistryKey key;
    if (!OpenForWriting(root, subkey, key))
        return false;
    const DWORD value = number;
    const bool existed = ValueExists(key.Get(), valueName);
    if (RegSetValueExA(key.Get(), valueName.empty() ? nullptr : valueName.c_str(), 0, REG_DWORD,
                       reinterpret_cast<const BYTE *>(&value), sizeof value) == ERROR_SUCCESS &&
        !existed)
        RecordRegistry(RecordKind::RegistryValue, root, subkey, valueName);
    return true;
}
