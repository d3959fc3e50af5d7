// What the EXECUTE, INSTALL and DIRECTX_INSTALL lines mean before anything
// runs: their words, the command lines built from them, the versions
// compared, the files a control copies and the speech engine's entries.

#include "core/run_state.h"
#include "script/command_parse.h"
#include "system/control_install.h"
#include "system/directx_question.h"
#include "system/file_version.h"
#include "system/program_launch.h"
#include "system/speech_engine.h"
#include "test_view.h"

#include <gtest/gtest.h>

#include <map>

namespace {

template <typename T> T As(const char *line) {
    const ScriptCommand command = ParseCommand(line);
    const T *typed = std::get_if<T>(&command);
    EXPECT_NE(typed, nullptr) << line << " is parsed as alternative " << command.index();
    return typed ? *typed : T{};
}

Directories Dirs() {
    Directories dirs;
    dirs.current = "D:\\";
    dirs.source = "D:\\DATA\\";
    dirs.install = "C:\\Demo Title\\";
    dirs.windows = "C:\\WINDOWS\\";
    dirs.system = "C:\\WINDOWS\\SYSTEM\\";
    return dirs;
}

} // namespace

TEST(ComponentParse, InstallFormsAreToldByTheWordAtCharacterNine) {
    EXPECT_EQ(As<InstallCommand>("INSTALL WEBVIEWER").kind, ComponentKind::WebViewer);
    EXPECT_EQ(As<InstallCommand>("PC_INSTALL ELAN TTS now").kind, ComponentKind::SpeechEngine);
    // Case and position matter: these are versioned installs.
    EXPECT_EQ(As<InstallCommand>("INSTALL webviewer").kind, ComponentKind::Versioned);
    EXPECT_EQ(As<InstallCommand>("INSTALL  WEBVIEWER").kind, ComponentKind::Versioned);
    EXPECT_EQ(As<InstallCommand>("INSTALL ELAN").kind, ComponentKind::Versioned);

    const auto twoWords = As<InstallCommand>("INSTALL WEBSTER32");
    EXPECT_EQ(twoWords.kind, ComponentKind::Webster);
    EXPECT_EQ(twoWords.directory, "");
    EXPECT_EQ(As<InstallCommand>("INSTALL WEBSTER32 ").directory, "");
    EXPECT_EQ(As<InstallCommand>("PC_INSTALL WEBSTER32 *SYSTEMDIR").directory, "*SYSTEMDIR");
    EXPECT_EQ(As<InstallCommand>("INSTALL WEBSTER32 WEB *DESTDIR").directory, "WEB *DESTDIR");

    const auto versioned =
        As<InstallCommand>("INSTALL VIEWER.DLL *SYSTEMDIR 4.71.0.3 VSETUP.EXE VIEWER Viewer Setup");
    EXPECT_EQ(versioned.kind, ComponentKind::Versioned);
    EXPECT_EQ(versioned.file, "VIEWER.DLL");
    EXPECT_EQ(versioned.fileDir, "*SYSTEMDIR");
    EXPECT_EQ(versioned.version, "4.71.0.3");
    EXPECT_EQ(versioned.installer, "VSETUP.EXE");
    EXPECT_EQ(versioned.installerDir, "VIEWER");
    EXPECT_EQ(versioned.title, "Viewer Setup");

    const auto directx = As<DirectXInstallCommand>("PC_DIRECTX_INSTALL DXSETUP.EXE|/silent DX 7.0");
    EXPECT_EQ(directx.program, "DXSETUP.EXE");
    EXPECT_EQ(directx.arguments, "/silent");
    EXPECT_EQ(directx.dir, "DX");
    EXPECT_EQ(directx.insertion, "7.0");
    EXPECT_EQ(As<DirectXInstallCommand>("DIRECTX_INSTALL A|B|C DX").arguments, "C");
}

TEST(ComponentVersions, ComparedNumberByNumber) {
    EXPECT_EQ(ParseVersion("4.71.1712.5"), (FileVersion{4, 71, 1712, 5}));
    EXPECT_EQ(ParseVersion("6.1"), (FileVersion{6, 1, 0, 0})); // missing numbers are 0
    EXPECT_EQ(ParseVersion("7.x.3.4"), (FileVersion{7, 0, 0, 0}));
    EXPECT_EQ(ParseVersion(""), (FileVersion{0, 0, 0, 0}));

    const FileVersion wanted{4, 71, 10, 5};
    EXPECT_FALSE(VersionIsOlder(wanted, wanted));
    EXPECT_TRUE(VersionIsOlder({4, 71, 10, 4}, wanted));  // one revision lower
    EXPECT_TRUE(VersionIsOlder({4, 70, 99, 99}, wanted)); // lower minor wins over build
    EXPECT_TRUE(VersionIsOlder({3, 99, 99, 99}, wanted));
    EXPECT_FALSE(VersionIsOlder({4, 71, 11, 0}, wanted));
    EXPECT_FALSE(VersionIsOlder({5, 0, 0, 0}, wanted));
}

TEST(ProgramLaunch, CommandLineWorkingDirectoryAndTitle) {
    RecordingView view;
    const auto fromCd = PrepareLaunch("SETUP.EXE", "/q /r", "VIEWER", "Viewer Setup", Dirs(), view);
    ASSERT_TRUE(fromCd);
    EXPECT_EQ(fromCd->commandLine, "D:\\DATA\\VIEWER\\SETUP.EXE /q /r");
    EXPECT_EQ(fromCd->workingDir, "D:\\DATA\\VIEWER");
    EXPECT_EQ(fromCd->title, "Viewer Setup");

    // A path with blanks is quoted, so that no shorter program is started.
    const auto installed = PrepareLaunch("GAME.EXE", "", "*DESTDIR", " ", Dirs(), view);
    ASSERT_TRUE(installed);
    EXPECT_EQ(installed->commandLine, "\"C:\\Demo Title\\GAME.EXE\"");
    EXPECT_EQ(installed->workingDir, "C:\\Demo Title\\");
    EXPECT_EQ(installed->title, ""); // begins with a blank: no title

    EXPECT_FALSE(PrepareLaunch("GAME.EXE", "", "*NOSUCHDIR", "", Dirs(), view));
    EXPECT_GE(view.endResult, 0); // a malformed word ends the run
}

TEST(ControlInstall, FileSetsFoldersAndRegistration) {
    const Directories dirs = Dirs();
    const auto viewer = PlanControlInstall(ComponentKind::WebViewer, dirs.source, dirs.install, "");
    EXPECT_EQ(viewer.sourceFolder, "D:\\DATA\\Vcwebvr\\");
    EXPECT_EQ(viewer.targetFolder, "C:\\Demo Title\\");
    EXPECT_EQ(viewer.files,
              (std::vector<std::string>{"MFC42.DLL", "MSVCIRT.DLL", "MSVCRT.DLL", "OLEAUT32.DLL",
                                        "OLEPRO32.DLL", "VCWEB32.OCX"}));
    EXPECT_EQ(viewer.registration,
              "D:\\DATA\\Vcwebvr\\REGSVR32.EXE \"C:\\Demo Title\\VCWEB32.OCX\" /S");

    const auto webster = PlanControlInstall(ComponentKind::Webster, dirs.source, dirs.install, "");
    EXPECT_EQ(webster.sourceFolder, "D:\\DATA\\Webster\\");
    EXPECT_EQ(webster.targetFolder, "C:\\Demo Title\\");
    EXPECT_EQ(webster.files.back(), "WEBPRO32.OCX");
    EXPECT_EQ(webster.files[4], "STDOLE32.TLB");

    const auto system =
        PlanControlInstall(ComponentKind::Webster, dirs.source, dirs.install, dirs.system);
    EXPECT_EQ(system.sourceFolder, "D:\\DATA\\Vorandel\\");
    EXPECT_EQ(system.targetFolder, "C:\\WINDOWS\\SYSTEM\\");
    EXPECT_EQ(system.registration,
              "D:\\DATA\\Vorandel\\REGSVR32.EXE C:\\WINDOWS\\SYSTEM\\WEBPRO32.OCX /S");
    EXPECT_EQ(PlanControlInstall(ComponentKind::Webster, "S\\", "I\\", "C:\\WEB").targetFolder,
              "C:\\WEB\\");
}

TEST(DirectXQuestion, FirstPlaceholderFilled) {
    EXPECT_EQ(DirectXQuestionText("Install DirectX &1 (&1)?", "7.0"), "Install DirectX 7.0 (&1)?");
    EXPECT_EQ(DirectXQuestionText("Install DirectX?", "7.0"), "Install DirectX?");
}

TEST(SpeechEngine, SettingsUpToTheFirstMissingVoice) {
    const std::map<std::string, std::string> ini = {
        {"general/product", "Demo"},      {"TTS_PC/folder", "ELAN"},
        {"TTS_PC/engine", "CUBE.DLL"},    {"TTS_PC/engineCLSID", "{E1}"},
        {"TTS_PC/Voice1", "Anna"},        {"TTS_PC/Voice1CLSID", "{V1}"},
        {"TTS_PC/Voice1Value", "1036.7"}, {"TTS_PC/Voice1Gender", "2"},
        {"TTS_PC/Voice3", "Paul"},
    };
    const auto settings = ReadSpeechSettings([&ini](const char *section, const std::string &key) {
        const auto found = ini.find(std::string(section) + "/" + key);
        return found == ini.end() ? std::string() : found->second;
    });
    ASSERT_EQ(settings.voices.size(), 1u);         // voice 3 without voice 2 is not read
    EXPECT_EQ(settings.voices[0].language, 1036u); // fraction dropped
    EXPECT_EQ(settings.voices[0].gender, 2u);
    EXPECT_EQ(SettingNumber(""), 0u);

    const auto entries = SpeechEngineEntries(settings, "C:\\Demo\\");
    ASSERT_EQ(entries.size(), 15u + 14u);
    EXPECT_EQ(entries[0].root, RegistryRoot::ClassesRoot);
    EXPECT_EQ(entries[0].key, "CLSID\\{E1}");
    EXPECT_EQ(entries[0].value, "");
    EXPECT_EQ(entries[0].text, "ELANTTS Speech Cube");
    EXPECT_EQ(entries[1].text, "C:\\Demo\\ELAN\\CUBE.DLL");
    EXPECT_EQ(entries[4].key, "SOFTWARE\\CLASSES\\CLSID\\{E1}\\InprocServer32");
    EXPECT_EQ(entries[4].root, RegistryRoot::LocalMachine);
    EXPECT_EQ(entries[9].key, "SOFTWARE\\Morvel\\Demo\\TTS\\Server configuration");
    EXPECT_TRUE(entries[9].dword);
    EXPECT_EQ(entries[9].number, 6666u);
    EXPECT_EQ(entries[13].text, "C:\\Demo\\ELAN\\SPEECHCUBE.EXE");
    EXPECT_EQ(entries[14].value, "ELANTTS Speech Cube");
    EXPECT_EQ(entries[14].text, "{E1}");
    EXPECT_EQ(entries[15].key, "SOFTWARE\\Morvel\\Demo\\TTS\\Anna16");
    EXPECT_EQ(entries[15].text, "/d \"C:\\Demo\\ELAN\\Anna16.dat\"");
    EXPECT_EQ(entries[17].key, "SOFTWARE\\Morvel\\Demo\\TTS\\Voices\\{V1}");
    EXPECT_EQ(entries[17].value, "BasePitch");
    EXPECT_EQ(entries[19].value, "Cmd");
    EXPECT_EQ(entries[19].text, "Anna16");
    EXPECT_EQ(entries[25].value, "Language");
    EXPECT_EQ(entries[25].number, 1036u);
    EXPECT_EQ(entries[28].value, "Speaker");
    EXPECT_EQ(entries[28].text, "Anna");
}

TEST(SpeechEngine, EmptyClsidWritesNoClassOrVoiceKeyAndIsReported) {
    SpeechEngineSettings settings;
    settings.folder = "ELAN";
    settings.product = "Demo";
    settings.voices = {{"Anna", "", 1036, 2}, {"Paul", "{V2}", 1036, 1}};
    for (const RegistryEntry &entry : SpeechEngineEntries(settings, "C:\\Demo\\")) {
        EXPECT_EQ(entry.key.find("CLSID\\"), std::string::npos) << entry.key;
        EXPECT_NE(entry.key, "SOFTWARE\\Voice\\TextToSpeech\\Engine");
        EXPECT_NE(entry.key.back(), '\\') << entry.key; // no voice key without its CLSID
    }
    EXPECT_EQ(SpeechSettingsProblems(settings),
              (std::vector<std::string>{
                  "The speech engine was not registered: PXD.INI gives no engineCLSID in "
                  "[TTS_PC].",
                  "The voice Anna was not registered: PXD.INI gives no Voice1CLSID in [TTS_PC]."}));
}
