#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A registry key handle, closed when it goes out of scope.
class RegistryKey {
public:
    RegistryKey() = default;
    // Opens the subkey for reading; Get() is null when it cannot be opened.
    RegistryKey(HKEY root, const std::string &subkey);
    RegistryKey(const RegistryKey &) = delete;
    RegistryKey &operator=(const RegistryKey &) = delete;
    ~RegistryKey() { Close(); }

    void Close();
    // For the functions that open a key: closes the one held first.
    HKEY *Out() {
        Close();
        return &key_;
    }
    HKEY Get() const { return key_; }

    // A text value ("" when it is missing, no text or too long).
    std::string Text(const char *value) const;
    // The names of the subkeys.
    std::vector<std::string> Subkeys() const;

private:
    HKEY key_ = nullptr;
};
