#include "findings.h"

#include <cstdio>

void Findings::Error(const std::string &file, int line, std::string text) {
    all_.push_back({file, line, Severity::Error, std::move(text)});
}

void Findings::Warning(const std::string &file, int line, std::string text) {
    all_.push_back({file, line, Severity::Warning, std::move(text)});
}

int Findings::Count(Severity severity) const {
    int count = 0;
    for (const Finding &f : all_)
        count += f.severity == severity;
    return count;
}

void Findings::PromoteWarnings() {
    for (Finding &f : all_)
        f.severity = Severity::Error;
}

namespace {

const char *Name(Severity severity) {
    return severity == Severity::Error ? "error" : "warning";
}

std::string Plural(int count, const char *word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

// Texts quote CD bytes, which need not be UTF-8: anything outside printable
// ASCII is written as an escape so the output stays valid JSON.
void JsonString(const std::string &text, std::ostream &out) {
    out << '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out << '\\' << c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out << escape;
        } else {
            out << c;
        }
    }
    out << '"';
}

} // namespace

void PrintText(const Findings &findings, const std::string &cdDir, std::ostream &out) {
    for (const Finding &f : findings.All()) {
        out << f.file;
        if (f.line > 0)
            out << ':' << f.line;
        out << ": " << Name(f.severity) << ": " << f.text << '\n';
    }
    const int errors = findings.Count(Severity::Error);
    const int warnings = findings.Count(Severity::Warning);
    if (errors == 0 && warnings == 0) {
        out << "cdcheck: " << cdDir << ": clean\n";
    } else {
        out << "cdcheck: " << cdDir << ": " << Plural(errors, "error") << ", "
            << Plural(warnings, "warning") << '\n';
    }
}

void PrintJson(const Findings &findings, const std::string &cdDir, std::ostream &out) {
    out << "{\"cd\": ";
    JsonString(cdDir, out);
    out << ", \"errors\": " << findings.Count(Severity::Error)
        << ", \"warnings\": " << findings.Count(Severity::Warning) << ", \"findings\": [";
    const char *separator = "";
    for (const Finding &f : findings.All()) {
        out << separator << "\n  {\"file\": ";
        JsonString(f.file, out);
        out << ", \"line\": " << f.line << ", \"severity\": \"" << Name(f.severity)
            << "\", \"message\": ";
        JsonString(f.text, out);
        out << '}';
        separator = ",";
    }
    out << (findings.All().empty() ? "]}\n" : "\n]}\n");
}
