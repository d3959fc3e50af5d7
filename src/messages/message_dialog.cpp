#include "messages/message_dialog.h"

#include "core/app_state.h"
#include "messages/catalog.h"
#include "messages/colour_brush_win.h"
#include "messages/setup_ini.h"
#include "messages/string_table.h"
#include "messages/text_format.h"
#include "messages/text_ids.h"
#include "res/resource.h"
#include "messages/window_icon.h"

namespace {

// The text before the insertion: mode 1 is the screen message, the
// catalog's BAD_SCREEN_CAPS when there is one.
std::string MessageText(const MessageRequest &request) {
    switch (request.mode) {
    case 2:
        return ResourceText(request.number);
    case 1:
        return CatalogAvailable() ? ScriptText("BAD_SCREEN_CAPS") : SetupIniMessage(request.number);
    default:
        return request.text;
    }
}

// What the dialog shows. The catalog names the closing messages; any other
// number keeps its string-table text.
std::string ShownText(const MessageRequest &request) {
    const char *name =
        request.mode == 2 && CatalogAvailable() ? CatalogNameOfMessage(request.number) : nullptr;
    if (name)
        return SetupText(name);
    std::string text = MessageText(request);
    if (request.insert)
        text = InsertString(text, request.insertion);
    return text;
}

void LogBox(const std::string &caption, const std::string &text, const char *answer) {
    Log().Line(std::string(App().options.quiet ? "Box (not shown) \"" : "Box \"") + caption +
               "\": " + text + " -> " + answer);
}

void PlaceButtons(HWND dialog, const MessageRequest &request) {
    HWND first = GetDlgItem(dialog, IDOK);
    HWND second = GetDlgItem(dialog, IDCANCEL);
    const int w = request.width;
    const int h = request.height;
    if (request.yesNo) {
        const std::string yes = CatalogAvailable() ? SetupText("BTN_YES") : GroupText(kTextYes);
        const std::string no = CatalogAvailable() ? SetupText("BTN_NO") : GroupText(kTextNo);
        SetWindowTextA(first, yes.c_str());
        SetWindowTextA(second, no.c_str());
        MoveWindow(first, 30, h - 60, 60, 30, TRUE);
        MoveWindow(second, w - 90, h - 60, 60, 30, TRUE);
    } else {
        SetWindowTextA(first, "OK");
        MoveWindow(first, w / 2 - 30, h - 60, 60, 30, TRUE);
        ShowWindow(second, SW_HIDE);
    }
}

// What one showing of the dialog holds: its request and the brush of its
// background.
struct MessageDialogState {
    const MessageRequest &request;
    ColourBrush background;
};

// The script's DIALOG font, when it gave one, on the dialog and its controls.
void SetDialogFont(HWND dialog) {
    auto *font = static_cast<HFONT>(App().dialogFont);
    if (!font)
        return;
    const WPARAM handle = reinterpret_cast<WPARAM>(font);
    SendMessageA(dialog, WM_SETFONT, handle, FALSE);
    for (int id : {IDC_MESSAGE_TEXT, IDOK, IDCANCEL})
        SendDlgItemMessageA(dialog, id, WM_SETFONT, handle, FALSE);
}

void OnInitDialog(HWND dialog, const MessageRequest &request) {
    SetDialogIcons(dialog);
    SetWindowTextA(dialog, SetupCaption());

    const AppState &app = App();
    SetWindowPos(dialog, nullptr, (app.screenWidth - request.width) / 2,
                 (app.screenHeight - (request.height - 20)) / 2, request.width, request.height,
                 SWP_NOZORDER | SWP_SHOWWINDOW);

    SetDialogFont(dialog);
    SetDlgItemTextA(dialog, IDC_MESSAGE_TEXT, ShownText(request).c_str());
    MoveWindow(GetDlgItem(dialog, IDC_MESSAGE_TEXT), 10, 10, request.width - 20,
               request.height - 40, TRUE);
    PlaceButtons(dialog, request);

    UpdateWindow(dialog);
    SetActiveWindow(dialog);
}

INT_PTR CALLBACK MessageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        auto *state = reinterpret_cast<MessageDialogState *>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        OnInitDialog(dialog, state->request);
        return TRUE;
    }
    case WM_CTLCOLORDLG: {
        auto *state = reinterpret_cast<MessageDialogState *>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (!state)
            return FALSE;
        return reinterpret_cast<INT_PTR>(state->background.Of(App().backgroundColour));
    }
    case WM_PAINT:
        return PaintIconIfIconic(dialog) ? TRUE : FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

const char *SetupCaption() {
    return App().languageIndex == 1 ? "Setup" : "Setup Morvel";
}

int ShowMessageDialog(HWND owner, const MessageRequest &request) {
    int answer = request.yesNo ? 2 : 1;
    if (!App().options.quiet) {
        MessageDialogState state{request, {}};
        const INT_PTR result =
            DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MESSAGE), owner,
                            MessageDialogProc, reinterpret_cast<LPARAM>(&state));
        answer = result == IDOK ? 1 : 2;
    }
    if (Log().IsOpen())
        LogBox(SetupCaption(), ShownText(request),
               !request.yesNo ? "OK"
               : answer == 1  ? "Yes"
                              : "No");
    return answer;
}

int ShowBox(HWND owner, const std::string &text, const std::string &caption, UINT type) {
    const bool question = (type & MB_TYPEMASK) == MB_YESNO;
    const int answer = App().options.quiet
                           ? (question ? IDNO : IDOK)
                           : MessageBoxA(owner, text.c_str(), caption.c_str(), type);
    LogBox(caption, text, answer == IDYES ? "Yes" : answer == IDNO ? "No" : "OK");
    return answer;
}
