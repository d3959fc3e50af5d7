#include "core/run_log.h"

#include "core/command_line.h"

#include <cstdio>

namespace {

// "hh:mm:ss.mmm ": where a slow run spent its time.
std::string TimeOfDay(std::uint32_t ms) {
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u.%03u ", (ms / 3600000u) % 24u,
                  (ms / 60000u) % 60u, (ms / 1000u) % 60u, ms % 1000u);
    return text;
}

} // namespace

bool RunLog::Open(const std::string &path) {
    Close();
    path_ = path;
    file_ = std::fopen(path.c_str(), "wb");
    return file_ != nullptr;
}

void RunLog::Line(std::string_view text) {
    if (!file_)
        return;
    // A line break inside a text (a box's lines) keeps the line's layout.
    std::string line = clock_ ? TimeOfDay(clock_()) : std::string();
    line.reserve(line.size() + text.size() + 2);
    for (const char c : text) {
        if (c == '\r')
            continue;
        if (c == '\n')
            line += "\r\n                 "; // under the text, past the time
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

void RunOutcome::Fail(std::string_view what) {
    failed = true;
    failures.emplace_back(what);
    Log().Line("Failed: " + failures.back());
}

void LogOutcome(const RunOutcome &outcome, int exitCode) {
    RunLog &log = Log();
    if (!outcome.failures.empty()) {
        log.Line(std::to_string(outcome.failures.size()) +
                 (outcome.failures.size() == 1 ? " failure:" : " failures:"));
        for (const std::string &failure : outcome.failures)
            log.Line("  " + failure);
    }
    log.Line("Exit code " + std::to_string(exitCode));
}
