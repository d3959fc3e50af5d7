#include "system/speech_engine.h"

#include <cstddef>
#include <cstdlib>
#include <limits>

namespace {

constexpr const char *kEngineName = "ELANTTS Speech Cube";

RegistryEntry Text(RegistryRoot root, const std::string &key, const char *value,
                   const std::string &text) {
    RegistryEntry entry;
    entry.root = root;
    entry.key = key;
    entry.value = value;
    entry.text = text;
    return entry;
}

RegistryEntry Dword(const std::string &key, const char *value, std::uint32_t number) {
    RegistryEntry entry;
    entry.key = key;
    entry.value = value;
    entry.dword = true;
    entry.number = number;
    return entry;
}

} // namespace

std::uint32_t SettingNumber(const std::string &text) {
    const long long number = std::strtoll(text.c_str(), nullptr, 10);
    if (number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::uint32_t>::max())
        return 0;
    return static_cast<std::uint32_t>(number);
}

SpeechEngineSettings ReadSpeechSettings(const SettingReader &read) {
    SpeechEngineSettings settings;
    settings.folder = read("TTS_PC", "folder");
    settings.engineClsid = read("TTS_PC", "engineCLSID");
    settings.engine = read("TTS_PC", "engine");
    settings.product = read("general", "product");
    for (int n = 1;; ++n) {
        const std::string voice = "Voice" + std::to_string(n);
        SpeechVoice entry;
        entry.name = read("TTS_PC", voice);
        if (entry.name.empty())
            break;
        entry.clsid = read("TTS_PC", voice + "CLSID");
        entry.language = SettingNumber(read("TTS_PC", voice + "Value"));
        entry.gender = SettingNumber(read("TTS_PC", voice + "Gender"));
        settings.voices.push_back(entry);
    }
    return settings;
}

std::string SpeechProductKey(const std::string &product) {
    return "SOFTWARE\\Morvel\\" + product + "\\TTS";
}

std::vector<RegistryEntry> SpeechEngineEntries(const SpeechEngineSettings &settings,
                                               const std::string &installDir) {
    const std::string engineDir = installDir + settings.folder;
    const std::string server = engineDir + "\\" + settings.engine;
    const std::string key = SpeechProductKey(settings.product);
    const std::string classKey = "CLSID\\" + settings.engineClsid;
    const std::string machineClassKey = "SOFTWARE\\CLASSES\\" + classKey;
    const auto C = RegistryRoot::ClassesRoot;
    const auto M = RegistryRoot::LocalMachine;

    std::vector<RegistryEntry> entries;
    if (!settings.engineClsid.empty()) {
        entries = {
            Text(C, classKey, "", kEngineName),
            Text(C, classKey + "\\InprocServer32", "", server),
            Text(C, classKey + "\\InprocServer32", "ThreadingModel", "Apartment"),
            Text(M, machineClassKey, "", kEngineName),
            Text(M, machineClassKey + "\\InprocServer32", "", server),
            Text(M, machineClassKey + "\\InprocServer32", "ThreadingModel", "Apartment"),
        };
    }
    const std::vector<RegistryEntry> product = {
        Text(M, key + "\\2.1", "version", "2.1.0.0"),
        Dword(key + "\\Server configuration", "Exception behavior", 0),
        Dword(key + "\\Server configuration", "GUI", 1),
        Dword(key + "\\Server configuration", "Port", 6666),
        Text(M, key + "\\Server configuration", "SerialPort dedicated", "AUTO"),
        Text(M, key + "\\WPsolaPath", "DataCommon", engineDir),
        Text(M, key + "\\WPsolaPath", "Main", engineDir),
        Text(M, key + "\\WPsolaPath", "", engineDir + "\\SPEECHCUBE.EXE"),
    };
    entries.insert(entries.end(), product.begin(), product.end());
    if (!settings.engineClsid.empty()) {
        entries.push_back(
            Text(M, "SOFTWARE\\Voice\\TextToSpeech\\Engine", kEngineName, settings.engineClsid));
    }
    for (const SpeechVoice &voice : settings.voices) {
        const std::string cmd = voice.name + "16";
        const std::string dataFile = engineDir + "\\" + cmd + ".dat";
        const std::string voiceKey = key + "\\Voices\\" + voice.clsid;
        const std::vector<RegistryEntry> more = {
            Text(M, key + "\\" + cmd, "CustomCmdLine", "/d \"" + dataFile + "\""),
            Text(M, key + "\\" + cmd, "data", engineDir),
            Dword(voiceKey, "BasePitch", 100),
            Dword(voiceKey, "BaseSpeed", 100),
            Text(M, voiceKey, "Cmd", cmd),
            Text(M, voiceKey, "DataFile", dataFile),
            Text(M, voiceKey, "Dialect", "Standard"),
            Dword(voiceKey, "EngineFeature", 100),
            Dword(voiceKey, "Feature", 479),
            Dword(voiceKey, "Gender", voice.gender),
            Dword(voiceKey, "Language", voice.language),
            Text(M, voiceKey, "ModeName", voice.name),
            Dword(voiceKey, "SamplesPerSec", 16000),
            Text(M, voiceKey, "Speaker", voice.name),
        };
        // The first two are the voice's command; without its CLSID the rest
        // would land on the Voices key itself.
        constexpr std::ptrdiff_t kCommandEntries = 2;
        entries.insert(entries.end(), more.begin(),
                       voice.clsid.empty() ? more.begin() + kCommandEntries : more.end());
    }
    return entries;
}

std::vector<std::string> SpeechSettingsProblems(const SpeechEngineSettings &settings) {
    std::vector<std::string> problems;
    if (settings.engineClsid.empty())
        problems.push_back("The speech engine was not registered: PXD.INI gives no engineCLSID "
                           "in [TTS_PC].");
    for (std::size_t n = 0; n < settings.voices.size(); ++n) {
        if (settings.voices[n].clsid.empty())
            problems.push_back("The voice " + settings.voices[n].name +
                               " was not registered: PXD.INI gives no Voice" +
                               std::to_string(n + 1) + "CLSID in [TTS_PC].");
    }
    return problems;
}
