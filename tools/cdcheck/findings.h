#pragma once

#include <ostream>
#include <string>
#include <vector>

// What the checker found, in the order it found it.
enum class Severity { Warning, Error };

struct Finding {
    std::string file; // as the CD names it, relative to its root
    int line = 0;     // 0: the file as a whole
    Severity severity = Severity::Error;
    std::string text;
};

class Findings {
public:
    void Error(const std::string &file, int line, std::string text);
    void Warning(const std::string &file, int line, std::string text);

    const std::vector<Finding> &All() const { return all_; }
    int Count(Severity severity) const;

    // --werror: every warning counts as an error.
    void PromoteWarnings();

private:
    std::vector<Finding> all_;
};

// "FILE:LINE: error: text" per finding, then the summary line.
void PrintText(const Findings &findings, const std::string &cdDir, std::ostream &out);
// The same as one JSON object: {"cd":..., "errors":n, "warnings":n, "findings":[...]}.
void PrintJson(const Findings &findings, const std::string &cdDir, std::ostream &out);
