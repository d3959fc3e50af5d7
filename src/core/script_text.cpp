#include "core/script_text.h"

#include <algorithm>

bool ScriptLineReader::Next(std::string_view &line) {
    if (pos_ >= text_.size())
        return false;
    const std::string_view rest = text_.substr(pos_);
    if (rest.substr(0, 4) == "ffff") {
        pos_ = text_.size();
        return false;
    }
    std::size_t end = rest.find_first_of("\r\n");
    const std::size_t next = end == std::string_view::npos ? text_.size() - pos_ : end;
    line = rest.substr(0, next);
    const std::size_t nul = line.find('\0');
    if (nul != std::string_view::npos)
        line = line.substr(0, nul);
    pos_ += next;
    if (pos_ < text_.size()) {
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n')
            ++pos_;
        ++pos_;
    }
    return true;
}

bool IsScriptBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n';
}

void WordReader::SkipBlanks() {
    while (pos_ < line_.size() && IsScriptBlank(line_[pos_]))
        ++pos_;
}

std::string WordReader::Word() {
    SkipBlanks();
    const std::size_t start = pos_;
    while (pos_ < line_.size() && !IsScriptBlank(line_[pos_]))
        ++pos_;
    return std::string(line_.substr(start, std::min(pos_ - start, kMaxScriptWord)));
}

bool WordReader::Number(std::int32_t &value) {
    SkipBlanks();
    std::size_t p = pos_;
    bool negative = false;
    if (p < line_.size() && (line_[p] == '+' || line_[p] == '-'))
        negative = line_[p++] == '-';
    const std::size_t digits = p;
    std::int64_t magnitude = 0;
    constexpr std::int64_t kLimit = std::int64_t{1} << 31;
    while (p < line_.size() && line_[p] >= '0' && line_[p] <= '9') {
        magnitude = std::min(kLimit, magnitude * 10 + (line_[p] - '0'));
        ++p;
    }
    if (p == digits)
        return false;
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    value = static_cast<std::int32_t>(std::clamp<std::int64_t>(signedValue, INT32_MIN, INT32_MAX));
    pos_ = p;
    return true;
}

std::string WordReader::Rest() const {
    std::size_t start = pos_;
    if (start < line_.size())
        ++start; // the single blank behind the last word
    return std::string(line_.substr(start, kMaxScriptWord));
}
