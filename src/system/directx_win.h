#pragma once

#include <windows.h>

#include <string>

// The texts of the DirectX question.
struct DirectXQuestion {
    std::string title;
    std::string text;
    std::string yes;
    std::string no;
};

// Shows the question modally over `owner`: IDOK for the first button, IDCANCEL
// for the second (the default one), for Escape and for closing it.
INT_PTR AskDirectXQuestion(HWND owner, const DirectXQuestion &question);

// Where the layout's dialog font is put on the question and its controls,
// once the layout module offers it. Does nothing for now.
void ApplyDirectXDialogFont(HWND dialog);
