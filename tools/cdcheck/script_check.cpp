#include "script_check.h"

#include "core/ascii.h"
#include "core/run_state.h"
#include "core/script_text.h"
#include "files/directory_commands.h"
#include "files/path_macros.h"
#include "script/command_parse.h"
#include "script/keywords.h"
#include "script/prepass_walk.h"

#include <algorithm>
#include <variant>

namespace {

// Stand-ins for the machine's folders: an expanded path that begins with
// the source one lies on the CD.
const std::string kSourceMark = "<SOURCEDIR>\\";

Directories CheckDirectories() {
    Directories dirs;
    dirs.source = kSourceMark;
    dirs.install = "<DESTDIR>\\";
    dirs.windows = "<WINDOWSDIR>\\";
    dirs.system = "<SYSTEMDIR>\\";
    dirs.desktop = "<DESKTOP>\\";
    return dirs;
}

std::string KnownMacros() {
    std::string names;
    for (const std::string_view name : PathMacroNames())
        names.append(names.empty() ? "" : ", ").append(name);
    return names;
}

std::string Quoted(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted.append(1, '"').append(text).append(1, '"');
    return quoted;
}

std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The blank-separated words of a line as written, uncut.
std::vector<std::string_view> RawWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && IsScriptBlank(line[pos]))
            ++pos;
        std::size_t end = pos;
        while (end < line.size() && !IsScriptBlank(line[end]))
            ++end;
        if (end > pos)
            words.push_back(line.substr(pos, end - pos));
        pos = end;
    }
    return words;
}

// One kept line's arguments, per command: each operator checks the fields
// the parse gave. A command without an operator here has no extra checks.
struct ArgumentChecks {
    const ScriptCheckContext &context;
    CdFacts &facts;
    Findings &findings;
    int line;
    const Directories dirs = CheckDirectories();

    void Error(std::string message) { findings.Error(context.file, line, std::move(message)); }
    void Warning(std::string message) { findings.Warning(context.file, line, std::move(message)); }

    // An expanded path on the CD as a CD path; "" when it is elsewhere.
    std::string OnCd(const std::string &path) const {
        if (path.compare(0, kSourceMark.size(), kSourceMark) != 0)
            return {};
        return context.sourceDir + path.substr(kSourceMark.size());
    }

    // A file argument ("NAME *MACRO" or "*MACRO"); reports an unknown macro.
    std::optional<std::string> Expand(const std::string &argument, const char *what) {
        std::optional<std::string> path = ExpandFileName(argument, dirs);
        if (!path) {
            Error(std::string(what) + " " + Quoted(argument) +
                  " is no file argument setup can expand (path macros: " + KnownMacros() +
                  "): setup stops the install with \"Wrong file format\"");
        }
        return path;
    }

    void MustExist(const std::string &cdPath, const char *what, bool directory) {
        if (!context.cd || cdPath.empty())
            return;
        const std::optional<CdFolder::Entry> entry = context.cd->Stat(cdPath);
        if (!entry || entry->directory != directory) {
            Error(std::string(what) + " " + Quoted(cdPath) + " is not on the CD" +
                  (entry ? (directory ? " (it is a file)" : " (it is a folder)") : ""));
        }
    }

    void operator()(const CopyCommand &c) {
        if (c.marker)
            return;
        if (const auto source = Expand(c.file + " *SOURCEDIR", "COPY source"))
            MustExist(OnCd(*source), "COPY source", false);
        Expand(c.file + " " + c.target, "COPY target");
    }
    void operator()(const CopyDirCommand &c) {
        if (const auto source = Expand(c.from + " *SOURCEDIR", "COPYDIR source")) {
            std::string dir = OnCd(*source);
            if (EndsWithAllFiles(dir))
                dir.resize(dir.size() - 3);
            MustExist(dir, "COPYDIR folder", true);
        }
        Expand(CopyDirTargetArgument(c.to), "COPYDIR target");
    }
    void operator()(const MakeDirCommand &c) { Expand(c.argument, "MKDIR argument"); }
    void operator()(const RemoveDirCommand &c) { Expand(c.argument, "RMDIR argument"); }
    void operator()(const ImageCommand &c) {
        if (c.file.empty()) {
            Error("IMAGE names no picture");
            return;
        }
        // Relative to the CD root, where setup runs, and as written: unlike
        // a file argument's, a "|" stays a "|".
        if (!context.cd || context.cd->Stat(c.file))
            return;
        Error("IMAGE picture " + Quoted(c.file) + " is not on the CD" +
              (c.file.find('|') != std::string::npos
                   ? " (IMAGE takes its word as written: a \"|\" is no blank there)"
                   : ""));
    }
    void operator()(const ExecuteCommand &c) {
        if (c.program.empty()) {
            Error("EXECUTE names no program");
            return;
        }
        if (!c.dir.empty() && c.dir[0] == '*') {
            if (const auto program = Expand(c.program + " " + c.dir, "EXECUTE program"))
                MustExist(OnCd(*program), "EXECUTE program", false);
        }
    }
    void operator()(const MessageCommand &c) { facts.messages.push_back({c.number, line}); }
    void operator()(const BrowseUrlCommand &c) {
        if (c.addressName.empty()) {
            Error("BROWSEURL names no address");
            return;
        }
        facts.scriptNames.push_back({c.addressName, line});
        facts.scriptNames.push_back({"BrowseParentCorner", line});
        facts.catalogOnly.push_back({"BROWSEURL", line});
    }
    void operator()(const DirectXInstallCommand &) {
        facts.setupNames.push_back({"DIRECTX_TEXT", line});
        facts.setupNames.push_back({"DIRECTX_TITLE", line});
        facts.catalogOnly.push_back({"DIRECTX_INSTALL", line});
    }
    void operator()(const AllDoneCommand &c) {
        if (c.restart)
            facts.setupNames.push_back({"END_INSTALL_REBOOT", line});
    }
    void operator()(const TestCommand &c) {
        facts.scriptNames.push_back({"BAD_SCREEN_CAPS", line});
        if (!EqualsNoCase(c.test, "GRAPHCAPS"))
            Warning("TEST " + Quoted(c.test) +
                    " is no known test (GRAPHCAPS): setup passes over it");
    }
    template <typename Other> void operator()(const Other &) {}
};

// PROGRESS START/END pairs and the end of the run.
struct RunShape {
    int progressStart = 0; // line of the open PROGRESS START, 0 when none
    int allDone = 0;       // line of the first ALLDONE
    bool reportedAfterEnd = false;
};

void CheckShape(const ScriptCommand &command, std::string_view text, int line, RunShape &shape,
                const ScriptCheckContext &context, Findings &findings) {
    if (shape.allDone && !shape.reportedAfterEnd) {
        shape.reportedAfterEnd = true;
        findings.Warning(context.file, line,
                         "never runs: the install ends at ALLDONE on line " +
                             std::to_string(shape.allDone));
    }
    if (std::holds_alternative<AllDoneCommand>(command) && !shape.allDone)
        shape.allDone = line;
    const bool copy = std::holds_alternative<CopyCommand>(command) ||
                      std::holds_alternative<CopyDirCommand>(command);
    if (copy && !shape.progressStart) {
        findings.Warning(context.file, line,
                         "copies outside PROGRESS START/END: its bytes count neither in the "
                         "total bar nor in the space check");
    }
    const auto *progress = std::get_if<ProgressCommand>(&command);
    if (!progress)
        return;
    const std::string_view plain = WithoutTwinPrefix(text);
    const char *marker = progress->start ? "PROGRESS START" : "PROGRESS END";
    if (!EqualsNoCase(plain, marker)) {
        findings.Warning(context.file, line,
                         std::string("more than ") + Quoted(marker) +
                             " on the line: the pre-pass counts copies only between lines that "
                             "are exactly \"PROGRESS START\" and \"PROGRESS END\"");
    }
    if (progress->start) {
        if (shape.progressStart) {
            findings.Error(context.file, line,
                           "PROGRESS START while the one on line " +
                               std::to_string(shape.progressStart) + " is still open");
        }
        shape.progressStart = line;
    } else {
        if (!shape.progressStart)
            findings.Error(context.file, line, "PROGRESS END without a PROGRESS START");
        shape.progressStart = 0;
    }
}

void CheckWordLengths(std::string_view text, int line, const ScriptCheckContext &context,
                      Findings &findings) {
    for (const std::string_view word : RawWords(text)) {
        if (word.size() > kMaxScriptWord) {
            findings.Warning(context.file, line,
                             "word of " + std::to_string(word.size()) + " characters is cut to " +
                                 std::to_string(kMaxScriptWord) + " when setup reads it: " +
                                 Quoted(std::string(word.substr(0, 24)) + "..."));
        }
    }
}

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The keyword a line means in any case, whether the pre-pass or the
// interpreter takes it; None when it is neither.
Keyword MeantKeyword(std::string_view line) {
    const Keyword option = OptionKeyword(line);
    return option != Keyword::None ? option : CommandKeyword(line, KeywordCase::Any);
}

// Why the interpreter takes a kept line for no command, with a hint. Lines
// that only look wrong for their first characters are named plainly.
std::string WhyNoCommand(std::string_view line) {
    const std::string stops = "setup stops the install here with \"Script SETUP.INF is not valid\"";
    if (line.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
        return "byte-order mark: the script begins with the 3 bytes of UTF-8's mark, which setup "
               "reads as the start of this line; " +
               stops + " (save the script without it, in the Windows code page)";
    }
    const Keyword anyCase = CommandKeyword(line, KeywordCase::Any);
    if (anyCase != Keyword::None)
        return "command not in capitals: " + stops + " (write " + Quoted(KeywordSpelling(anyCase)) +
               ")";
    const std::vector<std::string_view> words = RawWords(line);
    if (words.empty())
        return "line of blanks only: " + stops;
    if (IsScriptBlank(line.front())) {
        const std::string_view trimmed =
            line.substr(static_cast<std::size_t>(words.front().data() - line.data()));
        const Keyword meant = MeantKeyword(trimmed);
        return "starts with blanks: a line is read from its first column; " + stops +
               (meant != Keyword::None
                    ? " (write " + Quoted(KeywordSpelling(meant)) + " in the first column)"
                : trimmed.front() == ';' ? " (a comment's \";\" goes in the first column)"
                                         : "");
    }
    const std::string hint = NearestKeyword(line);
    return "unknown command " + Quoted(words.front()) + ": " + stops +
           (hint.empty() ? "" : " (nearest known command: " + Quoted(hint) + ")");
}

void CheckCommandLine(std::string_view text, int line, const ScriptCheckContext &context,
                      CdFacts &facts, Findings &findings, RunShape &shape) {
    CheckWordLengths(text, line, context, findings);
    const ScriptCommand command = ParseCommand(text);
    if (const auto *unknown = std::get_if<UnknownLine>(&command)) {
        findings.Error(context.file, line, WhyNoCommand(unknown->line));
        return;
    }
    if (const auto *bad = std::get_if<BadLine>(&command)) {
        findings.Error(context.file, line,
                       "setup stops the install here with " + Quoted(bad->text) +
                           " (missing words?)");
        return;
    }
    const Keyword exact = CommandKeyword(text);
    const Keyword anyCase = CommandKeyword(text, KeywordCase::Any);
    if (exact != anyCase) {
        findings.Warning(context.file, line,
                         "the pre-pass reads this line as " + Quoted(KeywordSpelling(anyCase)) +
                             " but the interpreter runs it as " + Quoted(KeywordSpelling(exact)));
    }
    CheckShape(command, text, line, shape, context, findings);
    std::visit(ArgumentChecks{context, facts, findings, line}, command);
}

// Option lines stay with the pre-pass; only their words' lengths and the
// fonts they name are checked.
void CheckOptionLine(std::string_view text, int line, const ScriptCheckContext &context,
                     CdFacts &facts, Findings &findings) {
    CheckWordLengths(text, line, context, findings);
    if (OptionKeyword(text) != Keyword::InstallFont)
        return;
    WordReader words(text);
    words.Word(); // INSTALL or PC_INSTALL
    words.Word(); // FONT
    const std::string font = words.Word();
    const std::string where = words.Word();
    ArgumentChecks checks{context, facts, findings, line};
    if (font.empty()) {
        checks.Error("INSTALL FONT names no font file");
        return;
    }
    // The font's source is a file argument like any other.
    if (const auto path = checks.Expand(font + " " + where, "INSTALL FONT file"))
        checks.MustExist(checks.OnCd(*path), "INSTALL FONT file", false);
}

} // namespace

std::string NearestKeyword(std::string_view line) {
    const std::vector<std::string_view> words = RawWords(line);
    if (words.empty())
        return {};
    const std::string one = ToUpperAscii(words[0]);
    const std::string two = words.size() > 1 ? one + " " + ToUpperAscii(words[1]) : one;
    std::string best;
    std::size_t bestDistance = 3; // further than two edits is no hint
    for (int k = static_cast<int>(Keyword::WaitWrite); k <= static_cast<int>(Keyword::ProgressEnd);
         ++k) {
        const std::string spelling = KeywordSpelling(static_cast<Keyword>(k));
        const std::string &against = spelling.find(' ') == std::string::npos ? one : two;
        const std::size_t distance = EditDistance(WithoutTwinPrefix(against), spelling);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = spelling;
        }
    }
    return best;
}

void CheckScriptText(std::string_view text, const ScriptCheckContext &context, CdFacts &facts,
                     Findings &findings) {
    // The walk keeps command lines verbatim and in order, so matching them
    // against the text's lines in turn gives each its line number. On a CD
    // it also sums what the script copies, as setup's total does.
    struct NoEffects : PrePassEffects {
        bool FileSize(const std::string &, std::uint64_t &bytes) override {
            bytes = 0;
            return true;
        }
        std::uint64_t DirectorySize(const std::string &, bool) override { return 0; }
        bool InstallFont(const std::string &, const std::string &, const std::string &) override {
            return true;
        }
    } noEffects;
    std::optional<CdEffects> cdEffects;
    if (context.cd)
        cdEffects.emplace(*context.cd);
    PrePassEffects &effects = cdEffects ? static_cast<PrePassEffects &>(*cdEffects) : noEffects;
    InstallSettings settings;
    WalkScript(text, PrePassContext{context.sourceDir, facts.markerName}, effects, settings);
    facts.bytesCopied = settings.totalBytes;

    RunShape shape;
    std::size_t next = 0;
    int number = 0;
    ScriptLineReader lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        ++number;
        if (next < settings.commands.size() && line == settings.commands[next]) {
            ++next;
            CheckCommandLine(line, number, context, facts, findings, shape);
        } else if (OptionKeyword(line) != Keyword::None) {
            CheckOptionLine(line, number, context, facts, findings);
        }
    }
    if (shape.progressStart) {
        findings.Error(context.file, shape.progressStart, "PROGRESS START without a PROGRESS END");
    }
    if (!shape.allDone) {
        findings.Error(context.file, number,
                       "no ALLDONE: the install ends without its uninstall entry and closing "
                       "message");
    }
}
