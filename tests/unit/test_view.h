#pragma once

#include "ui/install_view.h"

#include <string>
#include <vector>

// An InstallView without a window: records what the modules show and lets
// the 1 ms tick count move by one on every pumped message.
class RecordingView : public InstallView {
public:
    struct AlertBox {
        std::string text;
        std::string caption;
    };
    std::vector<ProgressDisplay> progress;
    std::vector<AlertBox> alerts;
    std::vector<std::string> messages;
    std::uint32_t ticks = 0;
    int pumped = 0;
    int endResult = -1;

    void ShowProgress(const ProgressDisplay &display) override { progress.push_back(display); }
    void SetMessage(const std::string &text) override { messages.push_back(text); }
    void ShowWindow(bool) override {}
    void Alert(const std::string &text, const std::string &caption) override {
        alerts.push_back({text, caption});
    }
    std::uint32_t FastTicks() const override { return ticks; }
    bool PumpMessage() override {
        ++pumped;
        ++ticks;
        return true;
    }
    void EndRun(int result) override { endResult = result; }
    bool RunEnded() const override { return endResult >= 0; }
};
