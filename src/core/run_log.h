#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

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
    // The path Open was given.
    const std::string &Path() const { return path_; }
    // The local time of day in milliseconds since midnight: each line
    // begins with it ("hh:mm:ss.mmm "). Given by the program that opens the
    // log (the portable core has no clock of the system's); without one the
    // lines carry no time.
    using Clock = std::uint32_t (*)();
    void SetClock(Clock clock) { clock_ = clock; }
    void Line(std::string_view text);
    void Close();

private:
    std::FILE *file_ = nullptr;
    std::string path_;
    Clock clock_ = nullptr;
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
    // What failed, one line each, in the order it happened.
    std::vector<std::string> failures;

    // A step failed (a file skipped, a font, registry or shortcut step that
    // did not take, an error shown): the run ends with 1603 even if it goes
    // on to ALLDONE, and the log has a "Failed: " line for it now and lists
    // it again before the exit code.
    void Fail(std::string_view what);
};

// The exit code of a run started with switches: a failed step outweighs a
// completed run and the restart it asks for.
int ExitCodeOf(const RunOutcome &outcome);

// The log's closing lines: each failure, then the exit code.
void LogOutcome(const RunOutcome &outcome, int exitCode);
