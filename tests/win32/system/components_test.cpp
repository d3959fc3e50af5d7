// Components under Wine: the web controls' files and registration, the
// versioned INSTALL against a file with a real version resource, the DirectX
// question, and the speech engine's files, key file and registry entries.

#include "core/install_settings.h"
#include "core/run_state.h"
#include "files/copy_engine.h"
#include "system/component_commands.h"
#include "system/directx_win.h"
#include "system/file_version_win.h"
#include "system_test_support.h"

#include <gtest/gtest.h>

namespace {

struct ComponentRun {
    TempFolder folder;
    RunState run;
    PumpingView view;
    CopyEngine engine{run.settings, view};
    std::unique_ptr<ComponentCommands> components;

    ComponentRun() {
        run.dirs.current = folder.Path();
        run.dirs.source = folder / "CD\\";
        run.dirs.install = folder / "INST\\";
        run.dirs.windows = folder.Path();
        run.dirs.system = folder.Path();
        CreateDirectoryA(run.dirs.source.c_str(), nullptr);
        CreateDirectoryA(run.dirs.install.c_str(), nullptr);
        run.settingsPath = folder / "PXD.INI";
        engine.TrackPrograms(run.dirs.install, run.written); // as a run on the NT family
        components = MakeComponentCommands(run, view, engine);
    }
};

std::string RegistryText(HKEY root, const std::string &key, const char *value) {
    HKEY opened;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return "<no key>";
    char data[512] = "";
    DWORD size = sizeof data;
    DWORD type = 0;
    const LONG result =
        RegQueryValueExA(opened, value, nullptr, &type, reinterpret_cast<BYTE *>(data), &size);
    RegCloseKey(opened);
    if (result != ERROR_SUCCESS)
        return "<no value>";
    if (type == REG_DWORD)
        return "dword:" + std::to_string(*reinterpret_cast<DWORD *>(data));
    return data;
}

} // namespace

TEST(VersionedInstall, InstalledVersionReadFromTheResource) {
    ASSERT_TRUE(Exists(ProbePath())) << ProbePath();
    const auto version = InstalledFileVersion(ProbePath());
    ASSERT_TRUE(version);
    EXPECT_EQ(*version, (FileVersion{4, 71, 10, 5}));
    EXPECT_FALSE(InstalledFileVersion(TestProgramDir() + "nosuch.dll"));
}

TEST(VersionedInstall, InstallerRunsOnlyForAMissingOrOlderFile) {
    ComponentRun c;
    CopyFileA(ProbePath().c_str(), (c.run.dirs.source + "run_probe.exe").c_str(), FALSE);
    const std::string out = c.run.dirs.source + "probe-out.txt";
    auto install = [&c](const char *file, const char *version) {
        InstallCommand command;
        command.file = file;
        command.fileDir = "*SOURCEDIR";
        command.version = version;
        command.installer = "run_probe.exe";
        command.installerDir = "*SOURCEDIR";
        c.components->Run(command);
    };
    struct Case {
        const char *file;
        const char *version;
        bool runs;
    } cases[] = {
        {"run_probe.exe", "4.71.10.5", false}, // equal
        {"run_probe.exe", "4.71", false},      // installed is newer
        {"run_probe.exe", "4.71.10.6", true},  // installed is one revision lower
        {"nosuch.dll", "1.0.0.0", true},       // no file
    };
    for (const Case &test : cases) {
        DeleteFileA(out.c_str());
        install(test.file, test.version);
        EXPECT_EQ(Exists(out), test.runs) << test.file << " " << test.version;
    }
    EXPECT_FALSE(c.view.RunEnded());
}

TEST(DirectXQuestion, EnterAnswersNoAndYesIsTheFirstButton) {
    const DirectXQuestion question{"DirectX 12 test", "Install DirectX 7?", "Yes", "No"};
    {
        DialogAnswer enter("DirectX 12 test", 0);
        EXPECT_EQ(AskDirectXQuestion(nullptr, question), IDCANCEL);
        EXPECT_TRUE(enter.Answered());
        EXPECT_EQ(enter.FocusedId(), IDCANCEL); // Enter must not reach the first button
    }
    {
        DialogAnswer yes("DirectX 12 test", IDOK);
        EXPECT_EQ(AskDirectXQuestion(nullptr, question), IDOK);
    }
}

TEST(SpeechEngine, FilesKeyFileAndRegistryEntries) {
    ComponentRun c;
    const std::string tts = c.run.dirs.source + "TTS\\";
    CreateDirectoryA(tts.c_str(), nullptr);
    CreateDirectoryA((tts + "SUB").c_str(), nullptr);
    WriteBytes(tts + "CUBE.DLL", "engine");
    WriteBytes(tts + "ANNA16.DAT", "voice");
    WriteBytes(tts + "SUB\\DEEP.DAT", "deep");
    WriteBytes(c.run.settingsPath, "[general]\r\nproduct=Wine Speech 12\r\n"
                                   "[TTS_PC]\r\nfolder=ELAN\r\nengine=CUBE.DLL\r\n"
                                   "engineCLSID={12121212-0000-0000-0000-000000000012}\r\n"
                                   "Voice1=Anna\r\nVoice1CLSID={V1}\r\nVoice1Value=1036.9\r\n"
                                   "Voice1Gender=2\r\nVoice3=Paul\r\nVoice3CLSID={V3}\r\n");
    // The run's earlier copies counted 100 bytes of the total the pre-pass
    // gave: the engine's 11 bytes end it at the full bar.
    c.run.settings.totalBytes = 111;
    c.engine.Progress().bytesDone = 100;
    InstallCommand command;
    command.kind = ComponentKind::SpeechEngine;
    c.components->Run(command);
    ASSERT_FALSE(c.view.progress.empty());
    EXPECT_GT(c.view.progress.front().bytesDone, 100u);
    EXPECT_EQ(c.view.progress.back().bytesDone, 111u);
    EXPECT_EQ(c.view.progress.back().totalBarWidth, kProgressBarWidth);

    const std::string &d = c.run.dirs.install;
    EXPECT_EQ(ReadBytes(d + "ELAN\\CUBE.DLL"), "engine");
    EXPECT_EQ(ReadBytes(d + "ELAN\\ANNA16.DAT"), "voice");
    EXPECT_FALSE(Exists(d + "ELAN\\SUB")); // no sub-folders
    const std::string key = "SOFTWARE\\Morvel\\Wine Speech 12\\TTS";
    EXPECT_EQ(ReadBytes(d + "TTS\\OEMSETUP.INF"), key); // "TTS", whatever the folder

    const std::string clsid = "CLSID\\{12121212-0000-0000-0000-000000000012}";
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, clsid, ""), "ELANTTS Speech Cube");
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, clsid + "\\InprocServer32", ""),
              d + "ELAN\\CUBE.DLL");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, "SOFTWARE\\CLASSES\\" + clsid + "\\InprocServer32",
                           "ThreadingModel"),
              "Apartment");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, key + "\\Server configuration", "Port"),
              "dword:6666");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, key + "\\WPsolaPath", ""),
              d + "ELAN\\SPEECHCUBE.EXE");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, key + "\\Anna16", "CustomCmdLine"),
              "/d \"" + d + "ELAN\\Anna16.dat\"");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, key + "\\Voices\\{V1}", "Language"), "dword:1036");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, key + "\\Voices\\{V1}", "Gender"), "dword:2");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, key + "\\Voices\\{V3}", "Cmd"), "<no key>");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, key + "\\Paul16", "data"), "<no key>");

    // Written again over existing keys: the values are replaced.
    WriteBytes(c.run.settingsPath, "[general]\r\nproduct=Wine Speech 12\r\n"
                                   "[TTS_PC]\r\nfolder=ELAN\r\nengine=OTHER.DLL\r\n"
                                   "engineCLSID={12121212-0000-0000-0000-000000000012}\r\n");
    c.components->Run(command);
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, clsid + "\\InprocServer32", ""),
              d + "ELAN\\OTHER.DLL");
}

TEST(WebControl, FilesCopiedAndRegisteredFromTheComponentFolder) {
    ComponentRun c;
    // The CD's registration program is the probe: it records the command
    // line it was given in setup's current directory.
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(c.folder.Path().c_str());
    for (const char *folder : {"Webster\\", "Vorandel\\"}) {
        const std::string dir = c.run.dirs.source + folder;
        CreateDirectoryA(dir.c_str(), nullptr);
        CopyFileA(ProbePath().c_str(), (dir + "REGSVR32.EXE").c_str(), FALSE);
        WriteBytes(dir + "WEBPRO32.OCX", folder);
        WriteBytes(dir + "MFC42.DLL", "mfc");
    }
    const std::string own = c.folder / "OWN";
    CreateDirectoryA(own.c_str(), nullptr);

    InstallCommand command;
    command.kind = ComponentKind::Webster;
    c.components->Run(command); // two words: into the install directory
    command.directory = "OWN *NONE";
    c.components->Run(command);
    SetCurrentDirectoryA(previous);

    EXPECT_EQ(ReadBytes(c.run.dirs.install + "WEBPRO32.OCX"), "Webster\\");
    EXPECT_EQ(ReadBytes(c.run.dirs.install + "MFC42.DLL"), "mfc");
    EXPECT_EQ(ReadBytes(own + "\\WEBPRO32.OCX"), "Vorandel\\");
    const std::string out = ReadBytes(c.folder / "probe-out.txt");
    EXPECT_NE(out.find(c.run.dirs.source + "Webster\\REGSVR32.EXE " + c.run.dirs.install +
                       "WEBPRO32.OCX /S\r\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find(c.run.dirs.source + "Vorandel\\REGSVR32.EXE OWN\\WEBPRO32.OCX /S\r\n"),
              std::string::npos)
        << out;
    EXPECT_TRUE(c.view.shown.empty());    // the window stays visible meanwhile
    EXPECT_TRUE(c.view.progress.empty()); // copied without progress
}

TEST(DirectXInstall, YesRunsTheInstallerWithItsArguments) {
    ComponentRun c;
    CopyFileA(ProbePath().c_str(), (c.run.dirs.source + "DXSETUP.EXE").c_str(), FALSE);
    DirectXInstallCommand command{"DXSETUP.EXE", "/silent", "*SOURCEDIR", "7.0"};
    {
        // Without a catalog the caption is empty.
        DialogAnswer yes("", IDOK);
        c.components->Run(command);
        EXPECT_TRUE(yes.Answered());
    }
    EXPECT_EQ(ReadBytes(c.run.dirs.source + "probe-out.txt")
                  .rfind(c.run.dirs.source + "DXSETUP.EXE /silent\r\n", 0),
              0u);
    EXPECT_EQ(c.view.shown, (std::vector<bool>{false, true}));
}
