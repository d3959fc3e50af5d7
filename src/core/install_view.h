#pragma once

#include "core/message_request.h"
#include "core/script_commands.h"

#include <cstdint>
#include <string>

// What the progress controls show after a block of a file: the two text
// lines, the bar widths in pixels and the counters the bar colours follow.
struct ProgressDisplay {
    std::string fileLine;  // current-file line, e.g. " Current file: A.DAT 50%"
    std::string totalLine; // total line, e.g. " Total installation: 12%"
    int fileBarWidth = 0;  // 0 .. full width
    int totalBarWidth = 0;
    std::uint64_t fileDone = 0;
    std::uint64_t fileLength = 0;
    std::uint64_t bytesDone = 0;
    std::uint64_t totalBytes = 0;
};

// The window as the script, file and system modules see it. The main dialog
// implements it; tests implement it too, so that those modules run without a
// window.
class InstallView {
public:
    virtual ~InstallView() = default;

    // Sets both progress lines and bars and repaints them at once.
    virtual void ShowProgress(const ProgressDisplay &display) = 0;
    // Shows or hides the progress lines, percentages and bars (PROGRESS
    // START / END). A view without those controls has nothing to do.
    virtual void ShowProgressControls(bool) {}
    // Text of the second message area.
    virtual void SetMessage(const std::string &text) = 0;
    // What the second message area shows now, so that a passing text can
    // give it back.
    virtual std::string Message() const { return std::string(); }
    // Hides or shows the main window (while a started program runs).
    virtual void ShowWindow(bool visible) = 0;
    // The window (an HWND) that owns the run's boxes and questions and is
    // disabled while they are up; null when the run has no window.
    virtual void *OwnerWindow() const { return nullptr; }
    // Message box with the exclamation icon, owned by the main window.
    virtual void Alert(const std::string &text, const std::string &caption) = 0;
    // The setup's message dialog over the main window: 1 for the first
    // button (Yes / OK), 2 for the second (No).
    virtual int ShowMessage(const MessageRequest &request) = 0;
    // The user agreed to restart the computer.
    virtual void RequestRestart() = 0;
    // An IMAGE line: the picture of the window changes.
    virtual void ShowImage(const ImageCommand &image) = 0;

    // Ticks of the main dialog's 1 ms timer; wraps around.
    virtual std::uint32_t FastTicks() const = 0;
    // Dispatches one waiting window message, or waits briefly for one. False
    // once the window is gone, so that a wait loop must give up.
    virtual bool PumpMessage() = 0;

    // Ends the main dialog with the result: the installation stops.
    virtual void EndRun(int result) = 0;
    virtual bool RunEnded() const = 0;
};
