#include "core/run_log.h"

#include "core/command_line.h"

bool RunLog::Open(const std::string &path) {
    Close();
    file_ = std::fopen(path.c_str(), "wb");
    return file_ != nullptr;
}

void RunLog::Line(std::string_view text) {
    if (!file_)
        return;
    // A line break inside a text (a box's lines) keeps the line's layout.
    std::string line;
    line.reserve(text.size() + 2);
    for (const char c : text) {
        if (c == '\r')
            continue;
        if (c == '\n')
            line += "\r\n    ";
        else
            line += c;
    }
    line += "\r\n";
    if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() || std::fflush(file_) != 0)
        Close(); // a full disk or a lost share: the run goes on without its log
}

void RunLog::Close() {
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
}

RunLog &Log() {
    static RunLog log;
    return log;
}

int ExitCodeOf(const RunOutcome &outcome) {
    if (outcome.badSwitch)
        return kExitBadSwitch;
    if (outcome.anotherSetup)
        return kExitAnotherSetup;
    if (outcome.failed)
        return kExitFailed;
    if (outcome.completed)
        return outcome.restartNeeded ? kExitRestartNeeded : kExitInstalled;
    return outcome.userEnded ? kExitUserEnded : kExitFailed;
}
