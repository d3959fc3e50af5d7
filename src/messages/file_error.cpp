#include "messages/file_error.h"

#include "messages/file_errors.h"
#include "messages/catalog.h"

#include <windows.h>

void ShowFileError(int cause, const std::string &fileName) {
    const char *name = FileErrorMessageName(cause);
    const std::string text = (name ? SetupText(name) : std::string()) + fileName;
    MessageBoxA(GetActiveWindow(), text.c_str(), "Setup", MB_OK | MB_ICONEXCLAMATION);
}
