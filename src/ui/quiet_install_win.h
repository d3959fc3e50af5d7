#pragma once

#include "core/install_view.h"
#include "core/run_state.h"

#include <cstdint>
#include <string>

// An installation with /S: the main dialog's decisions (the drive the list
// would select or the one /D= names, the room and earlier-version rules)
// made without its window, then the same install run. Every box becomes a
// line of the log and is answered as it would end the run; MESSAGE and
// IMAGE go to the log, and no restart is ever made.
class QuietInstall : public InstallView {
public:
    void Run();

    void ShowProgress(const ProgressDisplay &) override {}
    void SetMessage(const std::string &text) override;
    std::string Message() const override { return message_; }
    void ShowWindow(bool) override {}
    void Alert(const std::string &text, const std::string &caption) override;
    int ShowMessage(const MessageRequest &request) override;
    void RequestRestart() override;
    void ShowImage(const ImageCommand &image) override;
    std::uint32_t FastTicks() const override;
    bool PumpMessage() override;
    void EndRun(int) override { ended_ = true; }
    bool RunEnded() const override { return ended_; }

private:
    RunState run_;
    std::string message_;
    bool ended_ = false;
};
