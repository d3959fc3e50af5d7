#include "ui/main_dialog.h"

#include "core/app_state.h"
#include "core/ascii.h"
#include "messages/catalog.h"
#include "messages/message_dialog.h"
#include "messages/string_table.h"
#include "messages/text_ids.h"
#include "res/resource.h"
#include "script/install_run.h"
#include "system/restart_win.h"
#include "ui/bar_colours.h"
#include "ui/drive_list.h"
#include "files/product_settings_win.h"
#include "ui/product_values.h"
#include "ui/source_media.h"
#include "ui/welcome_text.h"
#include "messages/window_icon.h"

namespace {

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;
constexpr RECT kPictureRect = {10, 7, 309, 466};
constexpr UINT_PTR kSecondsTimerId = 1;
constexpr UINT_PTR kPollTimerId = 2;
constexpr int kTimerIdAttempts = 64;
constexpr DWORD kProgressFrameMs = 20;

std::string WindowText(HWND window) {
    char buffer[1024];
    const int length = GetWindowTextA(window, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// Starts a timer that must carry the id asked for; another id is given back
// and the next one asked for. 0 when no timer could be had.
UINT_PTR StartTimerWithId(HWND window, UINT_PTR wanted, UINT period) {
    for (int attempt = 0; attempt < kTimerIdAttempts; ++attempt, ++wanted) {
        const UINT_PTR got = SetTimer(window, wanted, period, nullptr);
        if (got == 0)
            return 0;
        if (got == wanted)
            return got;
        KillTimer(window, got);
    }
    return 0;
}

} // namespace

INT_PTR MainDialog::Run() {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr, Proc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK MainDialog::Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        reinterpret_cast<MainDialog *>(lParam)->hwnd_ = dialog;
    }
    auto *self = reinterpret_cast<MainDialog *>(GetWindowLongPtrA(dialog, DWLP_USER));
    return self ? self->Handle(message, wParam, lParam) : FALSE;
}

INT_PTR MainDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        return OnControlColour(reinterpret_cast<HWND>(lParam));
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_PAINT:
        OnPaint();
        return TRUE;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<INT_PTR>(SetupIcon());
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return TRUE;
    case WM_TIMER:
        OnTimer(wParam);
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return TRUE;
    default:
        return FALSE;
    }
}

void MainDialog::Place(int id, int x, int y, int width, int height) {
    MoveWindow(GetDlgItem(hwnd_, id), x, y, width, height, TRUE);
}

BOOL MainDialog::OnInitDialog() {
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    SetWindowTextA(hwnd_, SetupCaption());
    SetDialogIcons(hwnd_);

    HDC dc = GetDC(hwnd_);
    App().screenWidth = GetDeviceCaps(dc, HORZRES);
    App().screenHeight = GetDeviceCaps(dc, VERTRES);
    ReleaseDC(hwnd_, dc);

    if (!LocateSource(hwnd_, run_)) {
        EndDialog(hwnd_, 0);
        return TRUE;
    }
    // The script's look, read by the pre-pass.
    fonts_.Apply(hwnd_, run_.settings.fonts);
    App().backgroundColour = run_.settings.backgroundColour;
    // As long as the uninstall entry's display name takes it; the welcome
    // text and the shortcuts cut it shorter themselves.
    run_.productName =
        ProductSetting(run_.settingsPath, "general", "product", kMaxUninstallProductName + 1);
    if (CatalogAvailable())
        SetCatalogTexts();
    if (!FillDriveList(hwnd_, IDC_DRIVES, run_)) {
        EndDialog(hwnd_, 0);
        return TRUE;
    }

    PlaceControls();

    if (!StartTimers()) {
        EndDialog(hwnd_, 0);
        return TRUE;
    }

    const AppState &app = App();
    SetWindowPos(hwnd_, nullptr, (app.screenWidth - kWindowWidth) / 2,
                 (app.screenHeight - kWindowHeight) / 2, kWindowWidth, kWindowHeight, SWP_NOZORDER);
    UpdateWindow(hwnd_);
    picture_.Load((run_.dirs.current + "SETUP.BMP").c_str());
    InvalidateRect(hwnd_, &kPictureRect, FALSE);
    return TRUE;
}

void MainDialog::SetCatalogTexts() {
    SetDlgItemTextA(hwnd_, IDC_WELCOME, ScriptText("BONJOUR").c_str());
    SetDlgItemTextA(hwnd_, IDC_INSTRUCTIONS, SetupText("INSTALL").c_str());
    SetDlgItemTextA(hwnd_, IDC_INSTALL, SetupText("BTN_INSTALL").c_str());
    SetDlgItemTextA(hwnd_, IDC_QUIT, SetupText("BTN_QUIT").c_str());
    SetDlgItemTextA(hwnd_, IDC_CURRENT_LABEL, SetupText("CURRENT").c_str());
    SetDlgItemTextA(hwnd_, IDC_TOTAL_LABEL, SetupText("TOTAL").c_str());
}

void MainDialog::PlaceControls() {
    const bool catalog = CatalogAvailable();
    Place(IDC_PICTURE_FRAME, 8, 5, 304, 464);

    if (!catalog)
        SetDlgItemTextA(hwnd_, IDC_WELCOME, ComposeWelcome().c_str());
    Place(IDC_WELCOME, 320, 5, 310, 60);
    Place(IDC_INSTRUCTIONS, 320, 75, 310, 165);
    if (!catalog)
        SetDlgItemTextA(hwnd_, IDC_INSTRUCTIONS, GroupText(kTextWelcome).c_str());

    Place(IDC_DRIVES, 320, 250, 310, 180);

    run_.dirs.install =
        BarsToBlanks(ProductSetting(run_.settingsPath, "general", "installdirectory"));

    if (!catalog)
        SetDlgItemTextA(hwnd_, IDC_INSTALL, GroupText(kTextInstallButton).c_str());
    Place(IDC_INSTALL, 320, 440, 100, 30);
    EnableWindow(GetDlgItem(hwnd_, IDC_INSTALL), FALSE);
    if (!catalog)
        SetDlgItemTextA(hwnd_, IDC_QUIT, GroupText(kTextQuitButton).c_str());
    Place(IDC_QUIT, 530, 440, 100, 30);
}

bool MainDialog::StartTimers() {
    secondsTimer_ = StartTimerWithId(hwnd_, kSecondsTimerId, 1000);
    if (secondsTimer_ == 0)
        return false;
    pollTimer_ = StartTimerWithId(hwnd_, kPollTimerId, 1);
    return pollTimer_ != 0;
}

std::string MainDialog::ComposeWelcome() const {
    WelcomeParts parts;
    parts.titlePrefix = GroupText(kTextTitlePrefix);
    parts.product = run_.productName;
    parts.version = run_.productVersion;
    parts.requiredLabel = GroupText(kTextRequiredSpace);
    parts.requiredBytes = run_.spaceRequired;
    parts.languageIndex = App().languageIndex;
    return ComposeWelcomeText(parts);
}

void MainDialog::OnPaint() {
    if (PaintIconIfIconic(hwnd_))
        return;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    picture_.Paint(dc, kPictureRect.left, kPictureRect.top);
    EndPaint(hwnd_, &ps);
}

// The window in the script's background colour and the bars in the colour
// their progress has reached; everything else keeps the system's colours.
INT_PTR MainDialog::OnControlColour(HWND control) {
    const auto &bars = run_.settings.barColours;
    if (control == hwnd_)
        return reinterpret_cast<INT_PTR>(backgroundBrush_.Of(run_.settings.backgroundColour));
    if (control == (fileBar_ ? fileBar_ : GetDlgItem(hwnd_, IDC_CURRENT_BAR))) {
        const Rgb colour = BarColour(bars[0], counters_.fileDone, counters_.fileLength);
        return reinterpret_cast<INT_PTR>(fileBarBrush_.Of(ColourRef(colour)));
    }
    if (control == (totalBar_ ? totalBar_ : GetDlgItem(hwnd_, IDC_TOTAL_BAR))) {
        const Rgb colour = BarColour(bars[1], counters_.bytesDone, counters_.totalBytes);
        return reinterpret_cast<INT_PTR>(totalBarBrush_.Of(ColourRef(colour)));
    }
    return FALSE;
}

void MainDialog::OnCommand(int id) {
    // Escape (IDCANCEL) is ignored: only Quit leaves.
    if (id == IDC_QUIT && !busy_) {
        App().outcome.userEnded = true;
        Log().Line("Quit: the user ended setup");
        EndDialog(hwnd_, 0);
    }
    if (id == IDC_INSTALL)
        OnInstall();
}

void MainDialog::OnInstall() {
    if (busy_)
        return;
    const LRESULT selection = SendDlgItemMessageA(hwnd_, IDC_DRIVES, LB_GETCURSEL, 0, 0);
    if (selection == LB_ERR || selection < 0 ||
        static_cast<std::size_t>(selection) >= run_.drives.size() ||
        !run_.drives[static_cast<std::size_t>(selection)].mayInstall) {
        return;
    }
    busy_ = true;
    SwitchToInstallLayout();
    run_.dirs.install = WithBackslash(run_.drives[static_cast<std::size_t>(selection)].path);
    Log().Line("Install pressed: installing into " + run_.dirs.install);
    RunInstall(run_, *this);
}

void MainDialog::SwitchToInstallLayout() {
    HWND instructions = GetDlgItem(hwnd_, IDC_INSTRUCTIONS);
    MoveWindow(instructions, 320, 120, 310, 260, TRUE);
    SetWindowTextA(instructions, "");
    for (int hidden : {IDC_INSTALL, IDC_QUIT, IDC_DRIVES})
        ::ShowWindow(GetDlgItem(hwnd_, hidden), SW_HIDE);
    for (int shown : {IDC_WELCOME, IDC_PICTURE_FRAME})
        ::ShowWindow(GetDlgItem(hwnd_, shown), SW_SHOW);
    const struct {
        int id;
        int x, y, width, height;
    } kProgressPlaces[] = {
        {IDC_CURRENT_LABEL, 320, 390, 310, 20},   {IDC_TOTAL_LABEL, 320, 430, 310, 20},
        {IDC_CURRENT_PERCENT, 320, 410, 310, 18}, {IDC_TOTAL_PERCENT, 320, 450, 310, 18},
        {IDC_CURRENT_BAR, 322, 412, 0, 14},       {IDC_TOTAL_BAR, 322, 452, 0, 14},
    };
    for (const auto &place : kProgressPlaces) {
        // The bars lie over the percentage lines and must stay on top of them.
        SetWindowPos(GetDlgItem(hwnd_, place.id), HWND_TOP, place.x, place.y, place.width,
                     place.height, SWP_SHOWWINDOW);
    }
    UpdateWindow(hwnd_);
}

// The copy does not return to the message loop, so the progress is drawn
// here, but at most once per frame: setting and drawing the controls for each
// of thousands of small files costs more than copying them. The values of a
// frame not due are kept and drawn with the next one, at the end of the
// installation, at the end of each file drawn unfinished, and before anything
// else the window shows.
void MainDialog::ShowProgress(const ProgressDisplay &display) {
    const DWORD now = GetTickCount();
    const bool complete = display.bytesDone >= display.totalBytes;
    const bool fileEnd = display.fileDone >= display.fileLength;
    if (now - lastDrawn_ < kProgressFrameMs && !complete && !(fileEnd && fileDrawnUnfinished_)) {
        pending_ = display;
        pendingUndrawn_ = true;
        return;
    }
    lastDrawn_ = now;
    fileDrawnUnfinished_ = !fileEnd;
    DrawProgress(display);
    AnswerWindow();
}

void MainDialog::FlushProgress() {
    if (!pendingUndrawn_)
        return;
    lastDrawn_ = GetTickCount();
    fileDrawnUnfinished_ = pending_.fileDone < pending_.fileLength;
    DrawProgress(pending_);
}

void MainDialog::DrawProgress(const ProgressDisplay &display) {
    pendingUndrawn_ = false;
    if (!fileBar_) {
        fileLine_ = GetDlgItem(hwnd_, IDC_CURRENT_LABEL);
        totalLine_ = GetDlgItem(hwnd_, IDC_TOTAL_LABEL);
        fileBar_ = GetDlgItem(hwnd_, IDC_CURRENT_BAR);
        totalBar_ = GetDlgItem(hwnd_, IDC_TOTAL_BAR);
    }
    // Only what changed is set: every window call costs.
    bool changed = false;
    const auto line = [&](HWND control, const std::string &text, std::string &shown) {
        if (text == shown)
            return;
        shown = text;
        SetWindowTextA(control, text.c_str());
        changed = true;
    };
    const auto bar = [&](HWND control, int y, int width, int &shown, std::uint32_t colour,
                         std::uint32_t &shownColour) {
        if (width != shown) {
            shown = width;
            SetWindowPos(control, HWND_TOP, 322, y, width, 14, 0);
            changed = true;
        }
        if (colour != shownColour) {
            // Growing keeps the part drawn before: all of it changes colour.
            shownColour = colour;
            InvalidateRect(control, nullptr, TRUE);
            changed = true;
        }
    };
    // The colours are painted from these counters: they follow what is drawn.
    counters_ = display;
    const auto &bars = run_.settings.barColours;
    line(fileLine_, display.fileLine, shownFileLine_);
    line(totalLine_, display.totalLine, shownTotalLine_);
    bar(fileBar_, 412, display.fileBarWidth, shownFileBar_,
        ColourRef(BarColour(bars[0], display.fileDone, display.fileLength)), shownFileColour_);
    bar(totalBar_, 452, display.totalBarWidth, shownTotalBar_,
        ColourRef(BarColour(bars[1], display.bytesDone, display.totalBytes)), shownTotalColour_);
    if (changed)
        UpdateWindow(hwnd_);
}

// Once a frame during the copy: the messages waiting are handled, so that
// the window can be moved and repainted. A request to stop the program is
// left for the modal loop.
void MainDialog::AnswerWindow() {
    constexpr int kMessagesPerFrame = 64;
    MSG message;
    for (int i = 0; i < kMessagesPerFrame && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
         ++i) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (!IsDialogMessageA(hwnd_, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void MainDialog::ShowProgressControls(bool visible) {
    FlushProgress();
    for (int id : {IDC_CURRENT_LABEL, IDC_TOTAL_LABEL, IDC_CURRENT_PERCENT, IDC_TOTAL_PERCENT,
                   IDC_CURRENT_BAR, IDC_TOTAL_BAR}) {
        ::ShowWindow(GetDlgItem(hwnd_, id), visible ? SW_SHOW : SW_HIDE);
    }
}

void MainDialog::SetMessage(const std::string &text) {
    FlushProgress();
    SetDlgItemTextA(hwnd_, IDC_INSTRUCTIONS, text.c_str());
}

std::string MainDialog::Message() const {
    HWND area = GetDlgItem(hwnd_, IDC_INSTRUCTIONS);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(area)) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextA(area, text.data(), static_cast<int>(text.size()))));
    return text;
}

void MainDialog::ShowWindow(bool visible) {
    FlushProgress();
    ::ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

void MainDialog::Alert(const std::string &text, const std::string &caption) {
    FlushProgress();
    ReportFailure(caption + ": " + text);
    ShowBox(hwnd_, text, caption, MB_OK | MB_ICONEXCLAMATION);
}

int MainDialog::ShowMessage(const MessageRequest &request) {
    FlushProgress();
    return ShowMessageDialog(hwnd_, request);
}

void MainDialog::RequestRestart() {
    if (RestartComputer())
        App().outcome.restartNeeded = false;
    else
        Log().Line("The system refused the restart");
}

// The picture before stays its seconds (the one-second timer counts them),
// then the new one is shown at once. A file that does not load leaves the
// picture area empty.
void MainDialog::ShowImage(const ImageCommand &image) {
    FlushProgress();
    while (static_cast<long long>(secondsTicks_) < imageSeconds_) {
        if (!PumpMessage())
            return;
    }
    imageSeconds_ = image.seconds;
    secondsTicks_ = 0;
    picture_.Load(image.file.c_str());
    InvalidateRect(hwnd_, &kPictureRect, TRUE);
    UpdateWindow(hwnd_);
}

std::uint32_t MainDialog::FastTicks() const {
    return static_cast<std::uint32_t>(pollTicks_);
}

bool MainDialog::PumpMessage() {
    FlushProgress();
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Someone asked the whole program to stop: leave it for the
            // modal loop and give up waiting.
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (!IsDialogMessageA(hwnd_, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    } else {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return IsWindow(hwnd_) && !runEnded_;
}

void MainDialog::EndRun(int result) {
    FlushProgress();
    runEnded_ = true;
    EndDialog(hwnd_, result);
}

bool MainDialog::RunEnded() const {
    return runEnded_;
}

void MainDialog::OnTimer(UINT_PTR id) {
    if (id == secondsTimer_) {
        ++secondsTicks_;
    } else if (id == pollTimer_) {
        ++pollTicks_;
        if (!busy_)
            PollSelection();
    }
}

// Keeps Install and the welcome text in step with the selected drive.
void MainDialog::PollSelection() {
    const LRESULT selection = SendDlgItemMessageA(hwnd_, IDC_DRIVES, LB_GETCURSEL, 0, 0);
    if (selection == LB_ERR || selection < 0 ||
        static_cast<std::size_t>(selection) >= run_.drives.size()) {
        return;
    }
    const DriveEntry &entry = run_.drives[static_cast<std::size_t>(selection)];
    EnableWindow(GetDlgItem(hwnd_, IDC_INSTALL), entry.mayInstall ? TRUE : FALSE);

    std::string text;
    if (!CatalogAvailable()) {
        run_.spaceRequired = entry.reinstall ? run_.spaceReinstall : run_.spaceFirstInstall;
        text = ComposeWelcome();
    } else {
        const bool cheaper = run_.spaceReinstall < run_.spaceFirstInstall && entry.reinstall;
        text = ScriptText(cheaper ? "BONJOUR2" : "BONJOUR");
    }
    HWND welcome = GetDlgItem(hwnd_, IDC_WELCOME);
    if (WindowText(welcome) != text)
        SetWindowTextA(welcome, text.c_str());
}

void MainDialog::OnDestroy() {
    if (secondsTimer_)
        KillTimer(hwnd_, secondsTimer_);
    if (pollTimer_)
        KillTimer(hwnd_, pollTimer_);
    SendDlgItemMessageA(hwnd_, IDC_DRIVES, LB_RESETCONTENT, 0, 0);
    run_.drives.clear();
    run_.settings.commands.clear();
    picture_.Clear();
}
