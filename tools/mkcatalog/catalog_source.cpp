#include "catalog_source.h"

#include "dbf/oem437.h"

#include <cstdio>

namespace catalog {
namespace {

constexpr char kDefaultPart1[] = "NAME";
constexpr char kDefaultPart2[] = "SECTION";

std::string Trim(const std::string &text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Decodes one UTF-8 sequence at text[i]; advances i. False when malformed.
bool DecodeUtf8(const std::string &text, size_t &i, char32_t &out) {
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
    const uint8_t lead = byte(i);
    size_t extra;
    char32_t value;
    if (lead < 0x80) {
        out = lead;
        ++i;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        value = lead & 0x07;
    } else {
        return false;
    }
    if (i + extra >= text.size())
        return false;
    for (size_t k = 1; k <= extra; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return false;
        value = (value << 6) | (byte(i + k) & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return false;
    }
    out = value;
    i += extra + 1;
    return true;
}

void AppendUtf8(std::string &out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Text of a row: escapes resolved, characters converted to code page 437.
bool DecodeText(const std::string &source, std::string &oem, std::string &problem) {
    oem.clear();
    for (size_t i = 0; i < source.size();) {
        if (source[i] == '\\') {
            if (i + 1 >= source.size()) {
                problem = "a backslash ends the line";
                return false;
            }
            const char e = source[i + 1];
            if (e == 'n') {
                oem += '\n';
            } else if (e == 't') {
                oem += '\t';
            } else if (e == '\\') {
                oem += '\\';
            } else if (e == 'x' && i + 3 < source.size() && HexDigit(source[i + 2]) >= 0 &&
                       HexDigit(source[i + 3]) >= 0) {
                oem += static_cast<char>(HexDigit(source[i + 2]) * 16 + HexDigit(source[i + 3]));
                i += 2;
            } else {
                problem = std::string("unknown escape \\") + e;
                return false;
            }
            i += 2;
            continue;
        }
        char32_t c;
        if (!DecodeUtf8(source, i, c)) {
            problem = "malformed UTF-8";
            return false;
        }
        const int byte = dbf::UnicodeToOem(c);
        if (byte < 0) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
            problem = std::string("character ") + code + " has no code page 437 form";
            return false;
        }
        oem += static_cast<char>(byte);
    }
    return true;
}

std::string EncodeText(const std::string &oem) {
    std::string out;
    for (char ch : oem) {
        const auto byte = static_cast<uint8_t>(ch);
        if (ch == '\\') {
            out += "\\\\";
        } else if (ch == '\n') {
            out += "\\n";
        } else if (ch == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            AppendUtf8(out, dbf::OemToUnicode(byte));
        }
    }
    return out;
}

bool ParseHeader(const std::string &line, CatalogRow &current, std::string &problem) {
    if (line.back() != ']') {
        problem = "a name line must end with ']'";
        return false;
    }
    const std::string inner = line.substr(1, line.size() - 2);
    const size_t first = inner.find('/');
    if (first == std::string::npos) {
        current.part1 = kDefaultPart1;
        current.part2 = kDefaultPart2;
        current.name = Trim(inner);
    } else {
        const size_t second = inner.find('/', first + 1);
        if (second == std::string::npos) {
            problem = "write [NAME] or [PART1/PART2/NAME]";
            return false;
        }
        current.part1 = Trim(inner.substr(0, first));
        current.part2 = Trim(inner.substr(first + 1, second - first - 1));
        current.name = Trim(inner.substr(second + 1));
    }
    if (current.name.empty()) {
        problem = "empty message name";
        return false;
    }
    for (const std::string *s : {&current.part1, &current.part2, &current.name}) {
        for (char c : *s) {
            if (static_cast<uint8_t>(c) < 0x21 || static_cast<uint8_t>(c) > 0x7E) {
                problem = "names and key parts are printable ASCII without blanks";
                return false;
            }
        }
    }
    return true;
}

bool ParseRow(const std::string &line, const CatalogRow &current, CatalogRow &row,
              std::string &problem) {
    row = current;
    size_t i = 0;
    row.deleted = line[i] == '-';
    if (row.deleted)
        ++i;
    if (i >= line.size()) {
        problem = "a row needs a field letter";
        return false;
    }
    char letter = line[i++];
    if (letter >= 'a' && letter <= 'z')
        letter = static_cast<char>(letter - 'a' + 'A');
    if (!((letter >= 'A' && letter <= 'Z') || letter == '!')) {
        problem = "a row starts with a field letter A-Z or '!' (optionally after '-')";
        return false;
    }
    row.letter = letter;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    if (i >= line.size() || line[i] != '=') {
        problem = "expected '=' after the field letter";
        return false;
    }
    ++i;
    if (i < line.size() && line[i] == ' ')
        ++i;
    return DecodeText(line.substr(i), row.text, problem);
}

} // namespace

bool ParseCatalogSource(const std::string &utf8, std::vector<CatalogRow> &rows,
                        std::string &error) {
    rows.clear();
    CatalogRow current;
    bool haveName = false;
    size_t start = 0;
    if (utf8.compare(0, 3, "\xEF\xBB\xBF") == 0)
        start = 3;
    for (int lineNumber = 1;; ++lineNumber) {
        size_t end = utf8.find('\n', start);
        if (end == std::string::npos)
            end = utf8.size();
        std::string line = utf8.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();

        const std::string trimmed = Trim(line);
        std::string problem;
        if (trimmed.empty() || trimmed[0] == '#') {
            // blank line or comment
        } else if (trimmed[0] == '[') {
            haveName = ParseHeader(trimmed, current, problem);
        } else if (!haveName) {
            problem = "a row before the first [NAME] line";
        } else {
            CatalogRow row;
            // Leading blanks of the line are layout; those of the text follow '='.
            if (ParseRow(line.substr(line.find_first_not_of(" \t")), current, row, problem)) {
                rows.push_back(std::move(row));
            }
        }
        if (!problem.empty()) {
            error = "line " + std::to_string(lineNumber) + ": " + problem;
            return false;
        }
        if (end >= utf8.size())
            break;
    }
    return true;
}

std::string FormatCatalogSource(const std::vector<CatalogRow> &rows) {
    std::string out;
    const CatalogRow *previous = nullptr;
    for (const CatalogRow &row : rows) {
        if (previous == nullptr || previous->name != row.name || previous->part1 != row.part1 ||
            previous->part2 != row.part2) {
            if (previous != nullptr)
                out += '\n';
            if (row.part1 == kDefaultPart1 && row.part2 == kDefaultPart2) {
                out += "[" + row.name + "]\n";
            } else {
                out += "[" + row.part1 + "/" + row.part2 + "/" + row.name + "]\n";
            }
        }
        std::string text = row.text;
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        out += row.deleted ? "-" : "";
        out += row.letter;
        out += text.empty() ? " =" : " = ";
        out += EncodeText(text);
        out += '\n';
        previous = &row;
    }
    return out;
}

} // namespace catalog
