// The message dialog shown in this process and read from a second thread,
// the way a user sees it.

#include "core/app_state.h"
#include "messages/catalog.h"
#include "messages/message_dialog.h"
#include "res/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

struct Seen {
    bool found = false;
    std::string caption, text, first, second;
    bool secondVisible = false;
    RECT window{}, first_{}, second_{}, static_{};
    HFONT textFont = nullptr, firstFont = nullptr, secondFont = nullptr;
};

HFONT FontOf(HWND window) {
    return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
}

std::string TextOf(HWND window) {
    char buffer[2048];
    const int length = GetWindowTextA(window, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

RECT ClientRectOf(HWND dialog, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        GetDlgItem(window, IDC_MESSAGE_TEXT)) {
        *reinterpret_cast<HWND *>(found) = window;
        return FALSE;
    }
    return TRUE;
}

struct Watch {
    int button;
    Seen *seen;
};

// Waits for the dialog, reads what it shows and presses the button.
DWORD WINAPI WatchDialog(LPVOID parameter) {
    const Watch &watch = *static_cast<const Watch *>(parameter);
    Seen &seen = *watch.seen;
    HWND dialog = nullptr;
    for (int i = 0; i < 500 && !dialog; ++i) {
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&dialog));
        if (!dialog)
            Sleep(10);
    }
    if (!dialog)
        return 0;
    seen.found = true;
    seen.caption = TextOf(dialog);
    seen.text = TextOf(GetDlgItem(dialog, IDC_MESSAGE_TEXT));
    seen.first = TextOf(GetDlgItem(dialog, IDOK));
    seen.second = TextOf(GetDlgItem(dialog, IDCANCEL));
    seen.secondVisible = IsWindowVisible(GetDlgItem(dialog, IDCANCEL)) != FALSE;
    GetWindowRect(dialog, &seen.window);
    seen.first_ = ClientRectOf(dialog, IDOK);
    seen.second_ = ClientRectOf(dialog, IDCANCEL);
    seen.static_ = ClientRectOf(dialog, IDC_MESSAGE_TEXT);
    seen.textFont = FontOf(GetDlgItem(dialog, IDC_MESSAGE_TEXT));
    seen.firstFont = FontOf(GetDlgItem(dialog, IDOK));
    seen.secondFont = FontOf(GetDlgItem(dialog, IDCANCEL));
    PostMessageA(GetDlgItem(dialog, watch.button), BM_CLICK, 0, 0);
    return 0;
}

// Shows the dialog and presses `button` once it is up; returns the result.
int ShowAndPress(const MessageRequest &request, int button, Seen &seen) {
    Watch watch{button, &seen};
    HANDLE watcher = CreateThread(nullptr, 0, WatchDialog, &watch, 0, nullptr);
    const int result = ShowMessageDialog(nullptr, request);
    WaitForSingleObject(watcher, INFINITE);
    CloseHandle(watcher);
    return result;
}

class MessageDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedIndex_ = App().languageIndex;
        savedLetter_ = App().languageLetter;
        App().screenWidth = 1024;
        App().screenHeight = 768;
        App().languageLetter = '?';
    }
    void TearDown() override {
        App().languageIndex = savedIndex_;
        App().languageLetter = savedLetter_;
    }
    int savedIndex_ = 0;
    char savedLetter_ = 0;
};

} // namespace

TEST_F(MessageDialogTest, OkFormShowsTheDirectTextCentred) {
    App().languageIndex = 0;
    MessageRequest request;
    request.text = "Hello";
    request.width = 320;
    request.height = 200;
    Seen seen;
    EXPECT_EQ(ShowAndPress(request, IDOK, seen), 1);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, "Setup Morvel");
    EXPECT_EQ(seen.text, "Hello");
    EXPECT_EQ(seen.first, "OK");
    EXPECT_FALSE(seen.secondVisible);
    EXPECT_EQ(seen.window.left, (1024 - 320) / 2);
    EXPECT_EQ(seen.window.top, (768 - (200 - 20)) / 2);
    EXPECT_EQ(seen.window.right - seen.window.left, 320);
    EXPECT_EQ(seen.window.bottom - seen.window.top, 200);
    EXPECT_EQ(seen.first_.left, 320 / 2 - 30);
    EXPECT_EQ(seen.first_.top, 200 - 60);
    EXPECT_EQ(seen.first_.right - seen.first_.left, 60);
    EXPECT_EQ(seen.static_.left, 10);
    EXPECT_EQ(seen.static_.top, 10);
    EXPECT_EQ(seen.static_.right - seen.static_.left, 300);
    EXPECT_EQ(seen.static_.bottom - seen.static_.top, 160);
}

TEST_F(MessageDialogTest, YesNoFormInEnglishFromTheStringTable) {
    App().languageIndex = 1;
    MessageRequest request;
    request.yesNo = true;
    request.mode = 2;
    request.number = 97 + 1;
    request.width = 400;
    request.height = 250;
    Seen seen;
    EXPECT_EQ(ShowAndPress(request, IDCANCEL, seen), 2);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, "Setup");
    EXPECT_EQ(seen.text.rfind("Setup is complete.\nYou must restart", 0), 0u) << seen.text;
    EXPECT_EQ(seen.first, "Yes");
    EXPECT_EQ(seen.second, "No");
    EXPECT_TRUE(seen.secondVisible);
    EXPECT_EQ(seen.first_.left, 30);
    EXPECT_EQ(seen.first_.top, 250 - 60);
    EXPECT_EQ(seen.second_.left, 400 - 90);
    EXPECT_EQ(seen.second_.top, 250 - 60);
    EXPECT_EQ(seen.second_.bottom - seen.second_.top, 30);
}

TEST_F(MessageDialogTest, GermanButtonsAndCaption) {
    App().languageIndex = 2;
    MessageRequest request;
    request.yesNo = true;
    request.text = "Frage";
    Seen seen;
    EXPECT_EQ(ShowAndPress(request, IDOK, seen), 1);
    EXPECT_EQ(seen.caption, "Setup Morvel");
    EXPECT_EQ(seen.first, "Ja");
    EXPECT_EQ(seen.second, "Nein");
}

TEST_F(MessageDialogTest, InsertionFillsTheMarkerOnlyWhenThere) {
    App().languageIndex = 0;
    MessageRequest request;
    request.insert = true;
    request.insertion = "7.0";
    request.text = "Version [Insert String Here] ?";
    Seen seen;
    ShowAndPress(request, IDOK, seen);
    EXPECT_EQ(seen.text, "Version 7.0 ?");

    request.text = "Sans marque";
    ShowAndPress(request, IDOK, seen);
    EXPECT_EQ(seen.text, "Sans marque");
}

TEST_F(MessageDialogTest, ScriptDialogFontReachesTheTextAndBothButtons) {
    App().languageIndex = 1;
    MessageRequest request;
    request.yesNo = true;
    request.text = "Styled";
    // Made first, so that no handle of the plain dialog can come back as it.
    HFONT font = CreateFontA(-19, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0,
                             "Liberation Sans");
    Seen plain;
    ShowAndPress(request, IDOK, plain);
    ASSERT_TRUE(plain.found);

    App().dialogFont = font;
    Seen styled;
    ShowAndPress(request, IDOK, styled);
    App().dialogFont = nullptr;
    ASSERT_TRUE(styled.found);
    EXPECT_EQ(styled.textFont, font);
    EXPECT_EQ(styled.firstFont, font);
    EXPECT_EQ(styled.secondFont, font);
    // Without the script's font the template's own stays.
    EXPECT_NE(plain.textFont, font);
    EXPECT_NE(plain.textFont, nullptr);
    DeleteObject(font);
}

TEST_F(MessageDialogTest, CatalogScreenMessageGetsTheModeInserted) {
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA("E:\\messages-catalog")); // the sample CD's catalogs
    App().languageIndex = 1;
    App().languageLetter = 'A';
    ASSERT_TRUE(OpenCatalog("SCRIPT.DBF", "SETUP.DBF", "NAME", "SECTION"));
    MessageRequest request;
    request.mode = 1;
    request.number = 3;
    request.insert = true;
    request.insertion = "640x480, 65536 colours";
    Seen seen;
    ShowAndPress(request, IDOK, seen);
    CloseCatalog();
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(seen.text, "This product needs a display of at least 640 x 480 with 256 "
                         "colours.\nYour current display: 640x480, 65536 colours");
}
