#pragma once

#include <string>

// Every registry key setup writes, in one table: setup builds its keys from
// it, and the uninstaller removes keys and values nowhere else. A command
// that writes a new key adds it here first.
enum class SetupKeyId {
    Uninstall,          // the product's entry in the list of removable programs
    SpeechProduct,      // the speech engine's settings for the product
    SpeechClass,        // the engine's COM class
    SpeechMachineClass, // the same class in the machine's own classes
    SpeechEngines       // the system's list of speech engines: one value
};

// The value setup adds to the list of speech engines.
extern const char kSpeechEngineName[];

// The names that tell one product's keys from another's: the uninstall
// entry's name, the product, the speech engine's class id. An empty one
// matches nothing.
struct SetupKeyNames {
    std::string uninstall;
    std::string product;
    std::string engine;
};

// The key, its "%" replaced by the name the key takes ("" for a key without).
std::string SetupKeyPath(SetupKeyId id, const std::string &name = "");

// True when a REGKEY line of root ("HKLM", "HKCR") and subkey names a key
// setup writes for the names, one below it, or one of the levels the write
// creates above it; a REGVAL line's value only in the key or below it, or
// the one value a shared key gets.
bool SetupWritesKey(const SetupKeyNames &names, const std::string &root, const std::string &subkey);
bool SetupWritesValue(const SetupKeyNames &names, const std::string &root,
                      const std::string &subkey, const std::string &value);
