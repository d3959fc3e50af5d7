#pragma once

#include "core/install_view.h"

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
    std::vector<MessageRequest> dialogs;
    std::vector<ImageCommand> images;
    std::vector<bool> progressControls; // each ShowProgressControls call
    int answer = 1;                     // what every message dialog returns
    bool restartRequested = false;
    std::uint32_t ticks = 0;
    int pumped = 0;
    int endResult = -1;

    void ShowProgress(const ProgressDisplay &display) override { progress.push_back(display); }
    void ShowProgressControls(bool visible) override { progressControls.push_back(visible); }
    void SetMessage(const std::string &text) override { messages.push_back(text); }
    std::string Message() const override { return messages.empty() ? "" : messages.back(); }
    void ShowWindow(bool) override {}
    void Alert(const std::string &text, const std::string &caption) override {
        alerts.push_back({text, caption});
    }
    int ShowMessage(const MessageRequest &request) override {
        dialogs.push_back(request);
        return answer;
    }
    void RequestRestart() override { restartRequested = true; }
    void ShowImage(const ImageCommand &image) override { images.push_back(image); }
    std::uint32_t FastTicks() const override { return ticks; }
    bool PumpMessage() override {
        ++pumped;
        ++ticks;
        return true;
    }
    void EndRun(int result) override { endResult = result; }
    bool RunEnded() const override { return endResult >= 0; }
};
