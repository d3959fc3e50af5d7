#include "system/browse_url_win.h"

#include "platform/shell_library.h"

bool AskAndBrowse(HWND owner, const std::string &question, const std::string &address) {
    if (MessageBoxA(owner, question.c_str(), "Setup", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    if (ShellCalls().shellExecute)
        ShellCalls().shellExecute(nullptr, "open", address.c_str(), nullptr, nullptr,
                                  SW_SHOWNORMAL);
    return true;
}
