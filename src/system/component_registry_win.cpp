#include "system/component_registry_win.h"

namespace {

class Key {
public:
    Key() = default;
    ~Key() {
        if (key_)
            RegCloseKey(key_);
    }
    Key(const Key &) = delete;
    Key &operator=(const Key &) = delete;
    HKEY *put() { return &key_; }
    HKEY get() const { return key_; }
    void reset() {
        if (key_)
            RegCloseKey(key_);
        key_ = nullptr;
    }

private:
    HKEY key_ = nullptr;
};

bool WriteValue(HKEY root, const std::string &key, const std::string &value, DWORD type,
                const BYTE *data, DWORD size) {
    char keyClass[] = " ";
    Key created;
    DWORD disposition = 0;
    if (RegCreateKeyExA(root, key.c_str(), 0, keyClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, created.put(), &disposition) != ERROR_SUCCESS)
        return false;
    HKEY target = created.get();
    Key reopened;
    if (disposition == REG_OPENED_EXISTING_KEY) {
        if (RegOpenKeyExA(root, key.c_str(), 0, KEY_WRITE, reopened.put()) != ERROR_SUCCESS)
            return false;
        target = reopened.get();
    }
    RegSetValueExA(target, value.c_str(), 0, type, data, size);
    return true;
}

} // namespace

bool WriteComponentString(HKEY root, const std::string &key, const std::string &value,
                          const std::string &text) {
    return WriteValue(root, key, value, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                      static_cast<DWORD>(text.size() + 1));
}

bool WriteComponentDword(HKEY root, const std::string &key, const std::string &value,
                         std::uint32_t number) {
    const DWORD data = number;
    return WriteValue(root, key, value, REG_DWORD, reinterpret_cast<const BYTE *>(&data),
                      sizeof data);
}
