#pragma once

#include "core/install_view.h"
#include "messages/colour_brush_win.h"
#include "ui/layout_fonts_win.h"
#include "ui/picture.h"
#include "core/run_state.h"

#include <windows.h>

#include <string>

// The setup's one main window (dialog 102): picture, welcome text, drive
// list, Install and Quit. It owns the state of the run.
class MainDialog : public InstallView {
public:
    // Runs the dialog modally; its result is what Quit or a failure gave.
    INT_PTR Run();

    // The window as the install run sees it.
    void ShowProgress(const ProgressDisplay &display) override;
    void ShowProgressControls(bool visible) override;
    void SetMessage(const std::string &text) override;
    std::string Message() const override;
    void ShowWindow(bool visible) override;
    void *OwnerWindow() const override { return hwnd_; }
    void Alert(const std::string &text, const std::string &caption) override;
    int ShowMessage(const MessageRequest &request) override;
    void RequestRestart() override;
    void ShowImage(const ImageCommand &image) override;
    std::uint32_t FastTicks() const override;
    bool PumpMessage() override;
    void EndRun(int result) override;
    bool RunEnded() const override;

private:
    static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);

    BOOL OnInitDialog();
    void OnPaint();
    INT_PTR OnControlColour(HWND control);
    void OnCommand(int id);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    void OnInstall();
    void SwitchToInstallLayout();

    void SetCatalogTexts();
    void PlaceControls();
    bool StartTimers();
    void PollSelection();
    std::string ComposeWelcome() const;
    void Place(int id, int x, int y, int width, int height);
    void DrawProgress(const ProgressDisplay &display);
    void FlushProgress();
    void AnswerWindow();

    HWND hwnd_ = nullptr;
    RunState run_;
    Picture picture_;
    LayoutFonts fonts_;
    ColourBrush backgroundBrush_;
    ColourBrush fileBarBrush_;
    ColourBrush totalBarBrush_;
    ProgressDisplay counters_;      // what the bar colours follow
    std::int32_t imageSeconds_ = 0; // how long the shown IMAGE picture stays
    UINT_PTR secondsTimer_ = 0;
    UINT_PTR pollTimer_ = 0;
    unsigned long secondsTicks_ = 0; // the clock of the IMAGE command
    unsigned long pollTicks_ = 0;
    bool busy_ = false; // set while the script runs
    bool runEnded_ = false;
    // What the progress controls show, so that unchanged ones are left alone.
    std::string shownFileLine_;
    std::string shownTotalLine_;
    int shownFileBar_ = 0;
    int shownTotalBar_ = 0;
    std::uint32_t shownFileColour_ = 0;
    std::uint32_t shownTotalColour_ = 0;
    unsigned long lastDrawn_ = 0; // tick count of the last progress drawing
    // The newest values not drawn yet (the frame was not due).
    ProgressDisplay pending_;
    bool pendingUndrawn_ = false;
    // The current file was drawn before its end: its end is drawn too.
    bool fileDrawnUnfinished_ = false;
    // The progress controls, looked up once: each lookup is a request to the
    // window system.
    HWND fileLine_ = nullptr;
    HWND totalLine_ = nullptr;
    HWND fileBar_ = nullptr;
    HWND totalBar_ = nullptr;
};
