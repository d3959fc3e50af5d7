#include "core/command_line.h"

#include "core/ascii.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The name of the switch at the front of text ("S" of "/s", "LOG" of
// "-Log=x"), upper case; empty when text begins with no "/" or "-".
std::string SwitchName(std::string_view text) {
    if (text.size() < 2 || (text[0] != '/' && text[0] != '-'))
        return {};
    std::size_t end = 1;
    while (end < text.size() && !IsBlank(text[end]) && text[end] != '=')
        ++end;
    return ToUpperAscii(text.substr(1, end - 1));
}

// Other installers' names of setup's switches.
bool MeansQuiet(const std::string &name) {
    return name == "S" || name == "VERYSILENT" || name == "SILENT" || name == "QUIET" ||
           name == "Q";
}

bool MeansDestination(const std::string &name) {
    return name == "D" || name == "DIR";
}

// Asked of every installer by deployment tools; /S already never restarts
// and never shows a box.
bool AcceptedWithoutEffect(const std::string &name) {
    return name == "NORESTART" || name == "SUPPRESSMSGBOXES";
}

bool IsKnownSwitch(std::string_view text) {
    const std::string name = SwitchName(text);
    return MeansQuiet(name) || MeansDestination(name) || AcceptedWithoutEffect(name) ||
           name == "LOG" || name == "ALLUSERS" || name == "DIRECTX" || name == "?";
}

// Where a value that runs to the end of the line stops: before a blank
// that another switch follows, so that "/D=C:\My Games /LOG=x" still
// logs.
std::size_t EndOfLineValue(std::string_view rest) {
    for (std::size_t i = 0; i + 1 < rest.size(); ++i) {
        if (IsBlank(rest[i]) && IsKnownSwitch(TrimBlanks(rest.substr(i))))
            return i;
    }
    return rest.size();
}

// The value of a switch at the front of rest: quoted up to the closing
// quote, else up to the next blank (or, with toEnd, up to the next switch
// or the end of the line). rest is left after the value.
std::string TakeValue(std::string_view &rest, bool toEnd) {
    if (!rest.empty() && rest.front() == '"') {
        const std::size_t close = rest.find('"', 1);
        const std::string value(
            rest.substr(1, close == std::string_view::npos ? rest.size() - 1 : close - 1));
        rest.remove_prefix(close == std::string_view::npos ? rest.size() : close + 1);
        return value;
    }
    std::size_t end = EndOfLineValue(rest);
    if (!toEnd) {
        end = 0;
        while (end < rest.size() && !IsBlank(rest[end]))
            ++end;
    }
    const std::string value(TrimBlanks(rest.substr(0, end)));
    rest.remove_prefix(end);
    return value;
}

bool NamesADrive(const std::string &destination) {
    if (destination.size() < 2 || destination[1] != ':')
        return false;
    const char letter = destination[0];
    if ((letter < 'A' || letter > 'Z') && (letter < 'a' || letter > 'z'))
        return false;
    return destination.size() == 2 || destination[2] == '\\';
}

} // namespace

CommandLine ParseCommandLine(std::string_view line) {
    CommandLine result;
    std::string_view rest = TrimBlanks(line);
    // Every word is read, the refused ones too, so that a /LOG= after a
    // refused switch still tells why nothing was done.
    std::string firstProblem;   // the first word unknown or malformed
    std::string firstMalformed; // the first switch with a value it cannot take
    for (; !rest.empty(); rest = TrimBlanks(rest)) {
        std::size_t end = 0;
        while (end < rest.size() && !IsBlank(rest[end]) && rest[end] != '=')
            ++end;
        const std::string name = SwitchName(rest.substr(0, end));
        const bool assigned = end < rest.size() && rest[end] == '=';
        std::string_view after = rest.substr(end + (assigned ? 1 : 0));
        bool known = true;
        bool wellFormed = true;
        if (MeansDestination(name) && assigned) {
            result.destination = TakeValue(after, true);
            wellFormed = NamesADrive(result.destination);
        } else if (name == "LOG" && assigned) {
            result.logPath = TakeValue(after, false);
            wellFormed = !result.logPath.empty();
        } else if (assigned || name.empty()) {
            known = false;
            TakeValue(after, false);
        } else if (MeansQuiet(name)) {
            result.quiet = true;
        } else if (name == "?") {
            result.help = true;
        } else if (name == "ALLUSERS") {
            result.allUsers = true;
        } else if (name == "DIRECTX") {
            result.directX = true;
        } else if (!AcceptedWithoutEffect(name)) {
            known = false;
        }
        const std::string word(rest.substr(0, rest.size() - after.size()));
        result.any = result.any || known;
        if (!known)
            result.ignored += (result.ignored.empty() ? "" : " ") + word;
        if (!wellFormed && firstMalformed.empty())
            firstMalformed = word;
        if ((!known || !wellFormed) && firstProblem.empty())
            firstProblem = word;
        rest = after;
    }
    result.refused = result.quiet ? firstProblem : firstMalformed;
    result.valid = result.refused.empty();
    if (result.quiet)
        result.ignored.clear();
    return result;
}

bool DestinationIsDrive(const std::string &destination) {
    return destination.size() == 2 || (destination.size() == 3 && destination[2] == '\\');
}

std::string SwitchesHelpText() {
    return "setup [/S] [/D=X: | /D=X:\\folder] [/LOG=file] [/ALLUSERS] [/DIRECTX]\r\n\r\n"
           "/S\tinstall without any window, box or question\r\n"
           "\t(also /VERYSILENT, /SILENT, /QUIET or /Q; /NORESTART and\r\n"
           "\t/SUPPRESSMSGBOXES are accepted: /S does neither anyway)\r\n"
           "/D=X:\tinstall on drive X, in the CD's install directory\r\n"
           "/D=X:\\folder\tinstall into that folder (the rest of the line; also /DIR=)\r\n"
           "/LOG=file\twrite a log of the installation\r\n"
           "/ALLUSERS\tshortcuts for all users of the computer\r\n"
           "/DIRECTX\tinstall DirectX when the CD offers it (with /S)\r\n"
           "/?\tthis list\r\n"
           "Without /S, words not in this list are ignored.\r\n\r\n"
           "Exit codes: 0 installed, 3010 restart needed, 1602 ended by the user,\r\n"
           "1603 failed, 1618 another setup is running, 1639 bad switch.";
}
