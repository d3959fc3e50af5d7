#pragma once

#include "core/ascii.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Longest script word; longer words are cut to it.
constexpr std::size_t kMaxScriptWord = 255;

// Splits a script's text into lines. CR LF, a lone CR and a lone LF each end
// a line; a last line without an end is still a line. A line that begins
// with "ffff" ends the script. A NUL byte ends the text of its line (the rest
// of that line is not read).
class ScriptLineReader {
public:
    explicit ScriptLineReader(std::string_view text) : text_(text) {}
    // False at the end of the script.
    bool Next(std::string_view &line);

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Reads blank-separated words from one line (which must outlive the reader)
// the way "%s" and "%ld" read them, but bounded: each word is cut to
// kMaxScriptWord characters.
class WordReader {
public:
    explicit WordReader(std::string_view line) : line_(line) {}

    // The next word, or "" when the line has no more.
    std::string Word();
    // The next decimal number (optional sign, digits; clamped to 32 bits).
    // False, reading nothing, when no number follows.
    bool Number(std::int32_t &value);
    // Everything after the last word read and the single blank behind it.
    std::string Rest() const;
    std::size_t Position() const { return pos_; }

private:
    void SkipBlanks();
    std::string_view line_;
    std::size_t pos_ = 0;
};

bool IsScriptBlank(char c);
