#include "script/prepass_walk.h"

#include "core/ascii.h"
#include "core/script_text.h"
#include "script/keywords.h"

namespace {

// A script file name has no blanks; "|" stands for one.
std::string SourcePath(const PrePassContext &context, const std::string &word) {
    return BarsToBlanks(context.sourceDir + word);
}

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

void ReadWaitWrite(std::string_view line, InstallSettings &settings) {
    WordReader words(line.substr(std::string_view("WAITWRITE").size()));
    std::int32_t ticks = 0;
    if (!words.Number(ticks))
        return;
    settings.writePauseTicks = ticks;
    settings.writePause = true;
}

void ReadCopyMode(std::string_view line, InstallSettings &settings) {
    WordReader words(line.substr(std::string_view("COPY_MODE").size()));
    settings.strictCopyMode = StartsWithNoCase(words.Word(), "STRICT");
}

void ReadKill(std::string_view line, InstallSettings &settings) {
    WordReader words(line);
    words.Word();
    std::string first = words.Word();
    if (first.empty())
        return; // nothing to close
    settings.windowsToClose.push_back({words.Rest(), std::move(first)});
}

// The second word of the line, "" when there is none.
std::string SecondWord(std::string_view line) {
    WordReader words(line);
    words.Word();
    return words.Word();
}

void ReadNoDelete(std::string_view line, InstallSettings &settings) {
    if (settings.keepEverything)
        return;
    std::string word = SecondWord(line);
    if (word.compare(0, 3, "*.*") == 0) {
        settings.keepEverything = true;
    } else if (!word.empty()) {
        settings.filesToKeep.push_back(std::move(word));
    }
}

void ReadDeleteFile(std::string_view line, InstallSettings &settings) {
    if (!settings.keepEverything)
        return;
    std::string word = SecondWord(line);
    if (!word.empty())
        settings.filesToDelete.push_back(std::move(word));
}

bool ReadInstallFont(std::string_view line, PrePassEffects &effects) {
    WordReader words(line);
    words.Word(); // INSTALL or PC_INSTALL
    words.Word(); // FONT
    const std::string file = words.Word();
    const std::string where = words.Word();
    return effects.InstallFont(file, where, words.Rest());
}

int FontWeight(std::string_view word) {
    static constexpr struct {
        std::string_view name;
        int weight;
    } kWeights[] = {{"BOLD", 700},  {"SEMIBOLD", 600}, {"ULTRABOLD", 800},
                    {"LIGHT", 300}, {"THIN", 100},     {"HEAVY", 900}};
    for (const auto &w : kWeights) {
        if (word == w.name)
            return w.weight;
    }
    return 400;
}

// USEFONT target face width height [weight [italic [underline]]]; a line
// without both numbers is left without effect. The face is one word: "|"
// stands for a blank in it, as in file names ("Liberation|Serif").
void ReadUseFont(std::string_view line, InstallSettings &settings) {
    WordReader words(line);
    words.Word();
    LayoutFont font;
    font.target = words.Word();
    font.face = BarsToBlanks(words.Word());
    if (!words.Number(font.width) || !words.Number(font.height))
        return;
    font.weight = FontWeight(words.Word());
    font.italic = words.Word() == "ITALIC";
    font.underline = words.Word() == "UNDERLINE";
    settings.fonts.push_back(std::move(font));
}

bool ReadNumbers(WordReader &words, std::int32_t *values, int count) {
    for (int i = 0; i < count; ++i) {
        if (!words.Number(values[i]))
            return false;
    }
    return true;
}

std::uint8_t LowByte(std::int32_t value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

void ReadBackgroundColour(std::string_view line, InstallSettings &settings) {
    WordReader words(line);
    words.Word();
    std::int32_t rgb[3];
    if (!ReadNumbers(words, rgb, 3))
        return;
    settings.backgroundColour = LowByte(rgb[0]) | std::uint32_t{LowByte(rgb[1])} << 8 |
                                std::uint32_t{LowByte(rgb[2])} << 16;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// One PROGRESSCOLOR value: a decimal number 0 to 255, or a single character
// other than a digit standing for its own code (the way older scripts wrote
// the values). Anything else is no value.
bool ProgressColourValue(const std::string &word, std::uint8_t &value) {
    if (word.size() == 1 && !IsDigit(word[0])) {
        value = static_cast<std::uint8_t>(word[0]);
        return true;
    }
    if (word.empty() || word.size() > 3)
        return false;
    int number = 0;
    for (char c : word) {
        if (!IsDigit(c))
            return false;
        number = number * 10 + (c - '0');
    }
    if (number > 255)
        return false;
    value = static_cast<std::uint8_t>(number);
    return true;
}

// PROGRESSCOLOR bar startR startG startB endR endG endB: bar 1 is the current
// file's, bar 2 the whole installation's.
void ReadProgressColour(std::string_view line, InstallSettings &settings) {
    WordReader words(line);
    words.Word();
    std::uint8_t v[7];
    for (std::uint8_t &value : v) {
        if (!ProgressColourValue(words.Word(), value))
            return;
    }
    if (v[0] != 1 && v[0] != 2)
        return;
    settings.barColours[v[0] - 1] = {{v[1], v[2], v[3]}, {v[4], v[5], v[6]}};
}

// Adds the bytes of a COPY or COPYDIR line to the total. False when a file
// could not be read.
bool SizeCopyLine(std::string_view line, bool directory, const PrePassContext &context,
                  PrePassEffects &effects, InstallSettings &settings) {
    WordReader words(line);
    words.Word();
    const std::string source = words.Word();
    if (directory) {
        if (source.empty())
            return true; // the interpreter refuses the line
        settings.totalBytes +=
            effects.DirectorySize(SourcePath(context, source), !EndsWith(source, "*.*"));
        return true;
    }
    if (source == "NOMENCLATUREFILE") {
        // Old marker files of the same product and language go at install.
        settings.filesToDelete.push_back(context.markerName.substr(0, 5) + "*.CD1");
    }
    std::uint64_t bytes = 0;
    if (!effects.FileSize(SourcePath(context, source), bytes))
        return false;
    settings.totalBytes += bytes;
    return true;
}

// Option and layout lines never reach the command list. True when the line
// was one of them; `ended` when it ended the installation.
bool ConsumeOptionLine(std::string_view line, PrePassEffects &effects, InstallSettings &settings,
                       bool &ended) {
    switch (OptionKeyword(line)) {
    case Keyword::WaitWrite:
        ReadWaitWrite(line, settings);
        break;
    case Keyword::CopyMode:
        ReadCopyMode(line, settings);
        break;
    case Keyword::Kill:
        ReadKill(line, settings);
        break;
    case Keyword::Compatibility: {
        const std::string word = SecondWord(line);
        if (!word.empty())
            settings.compatibility.push_back(ToUpperAscii(word));
        break;
    }
    case Keyword::NoDelete:
        ReadNoDelete(line, settings);
        break;
    case Keyword::DeleteFile:
        ReadDeleteFile(line, settings);
        break;
    case Keyword::InstallFont:
        ended = !ReadInstallFont(line, effects);
        break;
    case Keyword::UseFont:
        ReadUseFont(line, settings);
        break;
    case Keyword::BackgroundColour:
        ReadBackgroundColour(line, settings);
        break;
    case Keyword::ProgressColour:
        ReadProgressColour(line, settings);
        break;
    default:
        return false;
    }
    return true;
}

} // namespace

bool WalkScript(std::string_view text, const PrePassContext &context, PrePassEffects &effects,
                InstallSettings &settings) {
    settings.commands.clear();
    settings.totalBytes = 0;
    bool sizing = false;

    ScriptLineReader lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        if (StartsWithNoCase(WithoutTwinPrefix(line), "INSTALL ELAN TTS")) {
            // Still a command: the interpreter installs the engine.
            settings.totalBytes += effects.DirectorySize(context.sourceDir + "TTS", false);
        }
        bool ended = false;
        if (ConsumeOptionLine(line, effects, settings, ended)) {
            if (ended)
                return false;
            continue;
        }

        // The markers are compared against the whole line and are kept.
        if (EqualsNoCase(line, "PROGRESS START") || EqualsNoCase(line, "PC_PROGRESS START")) {
            sizing = true;
        } else if (EqualsNoCase(line, "PROGRESS END") || EqualsNoCase(line, "PC_PROGRESS END")) {
            sizing = false;
        }

        // Comments, empty lines and the other platform's lines.
        if (line.empty() || line[0] == ';' || StartsWithNoCase(line, "MAC_"))
            continue;

        if (sizing) {
            const Keyword command = CommandKeyword(line, KeywordCase::Any);
            if ((command == Keyword::Copy || command == Keyword::CopyDir) &&
                !SizeCopyLine(line, command == Keyword::CopyDir, context, effects, settings)) {
                return false;
            }
        }
        settings.commands.emplace_back(line);
    }
    return true;
}
