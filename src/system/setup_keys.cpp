#include "system/setup_keys.h"

#include "core/ascii.h"

const char kSpeechEngineName[] = "ELANTTS Speech Cube";

namespace {

struct SetupKey {
    SetupKeyId id;
    const char *root;
    const char *anchor;               // a key every system has: setup neither makes nor removes it
    const char *below;                // the levels setup writes under it; "%" stands for the name
    std::string SetupKeyNames::*name; // what replaces "%"; nullptr without
    const char *value;                // the one value of a shared key; nullptr: any, and below
};

const SetupKey kSetupKeys[] = {
    {SetupKeyId::Uninstall, "HKLM", "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", "%",
     &SetupKeyNames::uninstall, nullptr},
    {SetupKeyId::SpeechProduct, "HKLM", "SOFTWARE", "Morvel\\%\\TTS", &SetupKeyNames::product,
     nullptr},
    {SetupKeyId::SpeechClass, "HKCR", "CLSID", "%", &SetupKeyNames::engine, nullptr},
    {SetupKeyId::SpeechMachineClass, "HKLM", "SOFTWARE\\CLASSES\\CLSID", "%",
     &SetupKeyNames::engine, nullptr},
    {SetupKeyId::SpeechEngines, "HKLM", "SOFTWARE", "Voice\\TextToSpeech\\Engine", nullptr,
     kSpeechEngineName},
};

std::string Fill(const std::string &pattern, const std::string &name) {
    const std::size_t at = pattern.find('%');
    return at == std::string::npos ? pattern
                                   : pattern.substr(0, at) + name + pattern.substr(at + 1);
}

// The key for the names; false when the name it needs is not known.
bool KeyFor(const SetupKey &key, const SetupKeyNames &names, const std::string &below,
            std::string &path) {
    const std::string name = key.name ? names.*key.name : std::string();
    if (key.name && name.empty())
        return false;
    path = std::string(key.anchor) + '\\' + Fill(below, name);
    return true;
}

bool Below(const std::string &subkey, const std::string &key) {
    return subkey.size() > key.size() + 1 && StartsWithNoCase(subkey, key + '\\');
}

} // namespace

std::string SetupKeyPath(SetupKeyId id, const std::string &name) {
    for (const SetupKey &key : kSetupKeys) {
        if (key.id == id)
            return std::string(key.anchor) + '\\' + Fill(key.below, name);
    }
    return "";
}

bool SetupWritesKey(const SetupKeyNames &names, const std::string &root,
                    const std::string &subkey) {
    for (const SetupKey &key : kSetupKeys) {
        if (root != key.root)
            continue;
        // The levels between the anchor and the key, which the write creates
        // when they are missing, then the key itself.
        const std::string below = key.below;
        for (std::size_t at = below.find('\\');; at = below.find('\\', at + 1)) {
            std::string level;
            if (KeyFor(key, names, below.substr(0, at), level) && EqualsNoCase(subkey, level))
                return true;
            if (at == std::string::npos)
                break;
        }
        std::string path;
        if (!key.value && KeyFor(key, names, below, path) && Below(subkey, path))
            return true;
    }
    return false;
}

bool SetupWritesValue(const SetupKeyNames &names, const std::string &root,
                      const std::string &subkey, const std::string &value) {
    for (const SetupKey &key : kSetupKeys) {
        std::string path;
        if (root != key.root || !KeyFor(key, names, key.below, path))
            continue;
        if (key.value ? EqualsNoCase(subkey, path) && EqualsNoCase(value, key.value)
                      : EqualsNoCase(subkey, path) || Below(subkey, path))
            return true;
    }
    return false;
}
