#include "messages/file_error.h"

#include "messages/file_errors.h"
#include "messages/catalog.h"
#include "messages/message_dialog.h"
#include "core/app_state.h"

#include <windows.h>

void ShowFileError(int cause, const std::string &fileName) {
    const char *name = FileErrorMessageName(cause);
    const std::string text = (name ? SetupText(name) : std::string()) + fileName;
    ReportFailure(text);
    ShowBox(GetActiveWindow(), text, "Setup", MB_OK | MB_ICONEXCLAMATION);
}

std::string Win32ErrorText(unsigned long error) {
    char buffer[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, buffer, sizeof buffer, nullptr);
    std::string text(buffer, length < sizeof buffer ? length : 0);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

void ReportWin32FileError(InstallView &view, unsigned long error, const std::string &fileName) {
    if (Log().IsOpen()) {
        Log().Line("Error: " + fileName + ": Win32 error " + std::to_string(error) + ": " +
                   Win32ErrorText(error));
    }
    ReportFileError(view, FileErrorCauseOfWin32(error), fileName);
}
