#include "system/registry.h"

namespace {

// Closes a key handle when it goes out of scope.
class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey &) = delete;
    RegistryKey &operator=(const RegistryKey &) = delete;
    ~RegistryKey() { Close(); }
    void Close() {
        if (key_)
            RegCloseKey(key_);
        key_ = nullptr;
    }
    HKEY *Out() {
        Close();
        return &key_;
    }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// Creates the key, or reopens an existing one for writing (the handle of the
// create is closed then: it serves no further purpose).
bool OpenForWriting(HKEY root, const std::string &subkey, RegistryKey &key) {
    char keyClass[] = " ";
    DWORD disposition = 0;
    if (RegCreateKeyExA(root, subkey.c_str(), 0, keyClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, key.Out(), &disposition) != ERROR_SUCCESS)
        return false;
    if (disposition == REG_OPENED_EXISTING_KEY) {
        if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_WRITE, key.Out()) != ERROR_SUCCESS)
            return false;
    }
    return true;
}

} // namespace

bool SetRegistryString(HKEY root, const std::string &subkey, const std::string &valueName,
                       const std::string &text) {
    RegistryKey key;
    if (!OpenForWriting(root, subkey, key))
        return false;
    RegSetValueExA(key.Get(), valueName.empty() ? nullptr : valueName.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE *>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    return true;
}

bool SetRegistryDword(HKEY root, const std::string &subkey, const std::string &valueName,
                      std::uint32_t number) {
    RegistryKey key;
    if (!OpenForWriting(root, subkey, key))
        return false;
    const DWORD value = number;
    RegSetValueExA(key.Get(), valueName.empty() ? nullptr : valueName.c_str(), 0, REG_DWORD,
                   reinterpret_cast<const BYTE *>(&value), sizeof value);
    return true;
}
