#include "ui/quiet_install_win.h"

#include "core/app_state.h"
#include "files/product_settings_win.h"
#include "messages/message_dialog.h"
#include "script/install_run.h"
#include "ui/drive_list.h"
#include "ui/product_values.h"
#include "ui/source_media.h"

#include <windows.h>

void QuietInstall::Run() {
    AppState &app = App();
    app.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    app.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (!LocateSource(nullptr, run_))
        return;
    run_.productName =
        ProductSetting(run_.settingsPath, "general", "product", kMaxUninstallProductName + 1);
    DriveChoice choice;
    if (!ScanDriveList(nullptr, run_, choice))
        return;
    if (choice.index < 0) {
        ReportFailure("Not installed: " + choice.why);
        return;
    }
    const DriveEntry &entry = run_.drives[static_cast<std::size_t>(choice.index)];
    run_.dirs.install = WithBackslash(entry.path);
    Log().Line("Installing into " + run_.dirs.install +
               (app.options.destination.empty() ? " (the drive the list selects)" : " (/D=)") +
               (entry.reinstall ? ", over the same version" : ""));
    RunInstall(run_, *this);
}

void QuietInstall::SetMessage(const std::string &text) {
    message_ = text;
    if (!text.empty())
        Log().Line("Message: " + text);
}

void QuietInstall::Alert(const std::string &text, const std::string &caption) {
    ReportFailure(caption + ": " + text);
    ShowBox(nullptr, text, caption, MB_OK | MB_ICONEXCLAMATION);
}

int QuietInstall::ShowMessage(const MessageRequest &request) {
    return ShowMessageDialog(nullptr, request);
}

void QuietInstall::RequestRestart() {
    Log().Line("Restart not made (/S)");
}

void QuietInstall::ShowImage(const ImageCommand &image) {
    Log().Line("Image " + image.file + " (" + std::to_string(image.seconds) +
               " s): not shown, not awaited");
}

std::uint32_t QuietInstall::FastTicks() const {
    return GetTickCount();
}

bool QuietInstall::PumpMessage() {
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    } else {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return !ended_;
}
