#include "core/install_view.h"
#include "core/run_state.h"
#include "files/copy_engine.h"
#include "files/directory_commands.h"
#include "files/path_macros.h"
#include "files/product_settings_win.h"
#include "messages/file_error.h"
#include "messages/file_errors.h"
#include "system/registry.h"
#include "system/component_steps_win.h"
#include "system/speech_engine.h"

#include <windows.h>

namespace {

void WriteProductKeyFile(const std::string &path, const std::string &text, InstallView &view) {
    // A fixed name in the install folder, which every user may write to:
    // made new, never opened through what someone left there.
    DeleteFileA(path.c_str());
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        view.Alert("Can't create the OEMSETUP.INF file", "Setup Morvel");
        return;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!ok || written != text.size())
        ReportWin32FileError(view, ok ? ERROR_HANDLE_DISK_FULL : error, path);
}

} // namespace

void InstallSpeechEngine(const RunState &run, InstallView &view, CopyEngine &engine) {
    const SpeechEngineSettings settings =
        ReadSpeechSettings([&run](const char *section, const std::string &key) {
            return ProductSetting(run.settingsPath, section, key.c_str());
        });

    const auto source = PrepareFileName("TTS *SOURCEDIR", run.dirs, view);
    if (!source)
        return;
    const auto target = PrepareFileName(settings.folder + " *DESTDIR", run.dirs, view);
    if (!target)
        return;
    // The directory copy writes into existing folders only; without this the
    // engine would silently not be installed.
    CreateDirectoryPath(*target);
    CopyDirectory(*source, *target, false, true, engine);

    // The product key file goes to the "TTS" folder whatever the engine's
    // folder is called.
    const std::string keyFolder = run.dirs.install + "TTS";
    CreateDirectoryPath(keyFolder);
    WriteProductKeyFile(keyFolder + "\\OEMSETUP.INF", SpeechProductKey(settings.product), view);

    for (const std::string &problem : SpeechSettingsProblems(settings))
        view.Alert(problem, "Setup Morvel");
    // A failed write is passed over: the rest is still written.
    for (const RegistryEntry &entry : SpeechEngineEntries(settings, run.dirs.install)) {
        const HKEY root =
            entry.root == RegistryRoot::ClassesRoot ? HKEY_CLASSES_ROOT : HKEY_LOCAL_MACHINE;
        if (entry.dword)
            SetRegistryDword(root, entry.key, entry.value, entry.number);
        else
            SetRegistryString(root, entry.key, entry.value, entry.text);
    }
}
