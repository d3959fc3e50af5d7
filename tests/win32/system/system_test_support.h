#pragma once

#include "test_view.h"
#include "win_test_files.h"

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

// A view that really dispatches this thread's messages, as the main dialog
// does, and records each ShowWindow call.
class PumpingView : public RecordingView {
public:
    std::vector<bool> shown;
    HWND owner = nullptr; // the main window the run's boxes belong to
    void *OwnerWindow() const override { return owner; }
    void ShowWindow(bool visible) override { shown.push_back(visible); }
    bool PumpMessage() override {
        RecordingView::PumpMessage();
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
        return true;
    }
};

// The Wine world has no drive for the build tree: the probe is copied to
// drive E: before the tests run.
inline std::string TestProgramDir() {
    return "E:\\system-probe\\";
}

inline std::string ProbePath() {
    return TestProgramDir() + "run_probe.exe";
}

// Answers the first dialog of this process with the given caption by
// posting a command (IDYES, IDNO, IDOK...) or, for 0, the Enter key. The
// compiler's threads are Win32 ones only: CreateThread.
class DialogAnswer {
public:
    DialogAnswer(const std::string &caption, WPARAM command)
        : caption_(caption), command_(command) {
        thread_ = CreateThread(nullptr, 0, Answer, this, 0, nullptr);
    }
    ~DialogAnswer() {
        stop_ = true;
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
    DialogAnswer(const DialogAnswer &) = delete;
    DialogAnswer &operator=(const DialogAnswer &) = delete;
    bool Answered() const { return answered_; }
    // The control that had the focus when the dialog was answered.
    int FocusedId() const { return focusedId_; }
    // The window that owned the dialog, and whether it was disabled.
    HWND Owner() const { return owner_; }
    bool OwnerDisabled() const { return ownerDisabled_; }

private:
    static DWORD WINAPI Answer(void *param) {
        auto *self = static_cast<DialogAnswer *>(param);
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < 10000 && !self->stop_) {
            HWND dialog = FindWindowA("#32770", self->caption_.c_str());
            DWORD owner = 0;
            const DWORD thread = dialog ? GetWindowThreadProcessId(dialog, &owner) : 0;
            if (dialog && owner == GetCurrentProcessId() && IsWindowVisible(dialog)) {
                Sleep(100);
                GUITHREADINFO info = {};
                info.cbSize = sizeof info;
                if (GetGUIThreadInfo(thread, &info) && info.hwndFocus)
                    self->focusedId_ = GetDlgCtrlID(info.hwndFocus);
                self->owner_ = GetWindow(dialog, GW_OWNER);
                self->ownerDisabled_ = self->owner_ && !IsWindowEnabled(self->owner_);
                if (self->command_ == 0) {
                    PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 0);
                    PostMessageA(dialog, WM_KEYUP, VK_RETURN, 0);
                } else {
                    PostMessageA(dialog, WM_COMMAND, self->command_, 0);
                }
                self->answered_ = true;
                return 0;
            }
            Sleep(20);
        }
        return 0;
    }

    std::string caption_;
    WPARAM command_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> answered_{false};
    std::atomic<int> focusedId_{0};
    std::atomic<HWND> owner_{nullptr};
    std::atomic<bool> ownerDisabled_{false};
    HANDLE thread_ = nullptr;
};
