#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// The version setup writes in its log's header.
constexpr char kSetupProgramVersion[] = "1.0";

// The run's log (/LOG=file): plain text in the system's ANSI code page, one
// line per event, each ended by CR LF and written at once, so that a run
// that stops leaves every line before. The view, the interpreter, the copy
// engine and start-up report to it; without /LOG it writes nothing. A log
// that cannot be written is no reason to stop: lines are then dropped.
class RunLog {
public:
    RunLog() = default;
    ~RunLog() { Close(); }
    RunLog(const RunLog &) = delete;
    RunLog &operator=(const RunLog &) = delete;

    // Creates (or empties) the file; false when it cannot be written.
    bool Open(const std::string &path);
    bool IsOpen() const { return file_ != nullptr; }
    void Line(std::string_view text);
    void Close();

private:
    std::FILE *file_ = nullptr;
};

// The one log of the process.
RunLog &Log();

// How a run ended, as its exit code tells it.
struct RunOutcome {
    bool completed = false;     // the script ran to its end or to ALLDONE
    bool restartNeeded = false; // a restart is needed and was not made
    bool userEnded = false;     // the user ended it (windowed runs)
    bool failed = false;        // an error was shown or logged
    bool anotherSetup = false;  // another setup runs: nothing done
    bool badSwitch = false;     // the command line was refused: nothing done
};

// The exit code of a run started with switches.
int ExitCodeOf(const RunOutcome &outcome);
