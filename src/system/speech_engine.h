#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The text-to-speech engine as the product settings describe it.
struct SpeechVoice {
    std::string name;
    std::string clsid;
    std::uint32_t language = 0;
    std::uint32_t gender = 0;
};
struct SpeechEngineSettings {
    std::string folder; // engine folder inside the install directory
    std::string engineClsid;
    std::string engine; // the engine's in-process server
    std::string product;
    std::vector<SpeechVoice> voices; // up to the first missing one
};

// Reads a value of the product settings: (section, key) -> text, empty when
// missing.
using SettingReader = std::function<std::string(const char *, const std::string &)>;

SpeechEngineSettings ReadSpeechSettings(const SettingReader &read);

// A number of the settings with its fraction dropped ("2.7" is 2); 0 when
// there is none.
std::uint32_t SettingNumber(const std::string &text);

// The product's key for the engine.
std::string SpeechProductKey(const std::string &product);

enum class RegistryRoot { ClassesRoot, LocalMachine };
struct RegistryEntry {
    RegistryRoot root = RegistryRoot::LocalMachine;
    std::string key;
    std::string value; // empty: the key's default value
    bool dword = false;
    std::string text;
    std::uint32_t number = 0;
};

// Every value the engine and its voices need, in the order they are written.
// `installDir` ends in "\". An empty engine CLSID leaves out the engine's
// class keys (they would land on the bare "CLSID\" key), an empty voice
// CLSID that voice's key: SpeechSettingsProblems says so to the user.
std::vector<RegistryEntry> SpeechEngineEntries(const SpeechEngineSettings &settings,
                                               const std::string &installDir);

// What of the engine cannot be registered for want of a CLSID, one text each.
std::vector<std::string> SpeechSettingsProblems(const SpeechEngineSettings &settings);
