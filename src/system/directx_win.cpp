#include "system/directx_win.h"

#include "core/app_state.h"

namespace {

// The question's dialog template and its text control in the resources.
constexpr int kDirectXDialog = 142;
constexpr int kDirectXText = 1033;

INT_PTR CALLBACK QuestionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        const auto *question = reinterpret_cast<const DirectXQuestion *>(lParam);
        SetWindowTextA(dialog, question->title.c_str());
        SetDlgItemTextA(dialog, kDirectXText, question->text.c_str());
        SetDlgItemTextA(dialog, IDOK, question->yes.c_str());
        SetDlgItemTextA(dialog, IDCANCEL, question->no.c_str());
        ApplyDirectXDialogFont(dialog);
        // The focus goes to the default button, so that Enter installs
        // nothing; the first button would otherwise take it.
        SetFocus(GetDlgItem(dialog, IDCANCEL));
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        break;
    }
    return FALSE;
}

} // namespace

void ApplyDirectXDialogFont(HWND dialog) {
    // The script's DIALOG font, when it gave one, as the message dialog has it.
    auto *font = static_cast<HFONT>(App().dialogFont);
    if (!font)
        return;
    const WPARAM handle = reinterpret_cast<WPARAM>(font);
    SendMessageA(dialog, WM_SETFONT, handle, FALSE);
    for (int id : {kDirectXText, IDOK, IDCANCEL})
        SendDlgItemMessageA(dialog, id, WM_SETFONT, handle, FALSE);
}

INT_PTR AskDirectXQuestion(HWND owner, const DirectXQuestion &question) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kDirectXDialog), owner,
                           QuestionProc, reinterpret_cast<LPARAM>(&question));
}
