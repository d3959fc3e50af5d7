#include "system/browse_url_win.h"

#include "core/app_state.h"
#include "messages/message_dialog.h"
#include "platform/shell_library.h"

bool AskAndBrowse(HWND owner, const std::string &question, const std::string &address) {
    if (App().options.quiet) {
        Log().Line("BROWSEURL skipped (/S): " + address);
        return false;
    }
    if (ShowBox(owner, question, "Setup", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    if (ShellCalls().shellExecute)
        ShellCalls().shellExecute(nullptr, "open", address.c_str(), nullptr, nullptr,
                                  SW_SHOWNORMAL);
    return true;
}
