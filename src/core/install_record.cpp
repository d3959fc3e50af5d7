#include "core/install_record.h"

#include "core/app_state.h"

#include <cstdlib>

const char kInstallRecordName[] = "UNINST$$.REC";

namespace {

const char *const kKindWords[] = {"LANG",   "DIR",    "FILE",     "LINK", "GROUP",
                                  "REGKEY", "REGVAL", "AUTOEXEC", "FONT", "INSTDIR"};
constexpr int kKindCount = sizeof kKindWords / sizeof kKindWords[0];

bool Clean(const std::string &field) {
    return field.find_first_of("\t\r\n") == std::string::npos;
}

std::vector<std::string> Fields(const std::string &line) {
    std::vector<std::string> fields;
    std::size_t from = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', from);
        fields.push_back(line.substr(from, tab == std::string::npos ? tab : tab - from));
        if (tab == std::string::npos)
            return fields;
        from = tab + 1;
    }
}

bool Number(const std::string &text, std::uint64_t &value) {
    if (text.empty() || text.size() > 20)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return true;
}

bool ParseLine(const std::string &line, RecordEntry &entry) {
    const std::vector<std::string> f = Fields(line);
    int kind = 0;
    while (kind < kKindCount && f[0] != kKindWords[kind])
        ++kind;
    if (kind == kKindCount)
        return false;
    entry = RecordEntry();
    entry.kind = static_cast<RecordKind>(kind);
    switch (entry.kind) {
    case RecordKind::Language: {
        std::uint64_t index = 0;
        if (f.size() != 2 || !Number(f[1], index) || index > 5)
            return false;
        entry.language = static_cast<int>(index);
        return true;
    }
    case RecordKind::Folder:
    case RecordKind::Group:
    case RecordKind::Font:
    case RecordKind::InstallDir:
        if (f.size() != 2 || f[1].empty())
            return false;
        entry.path = f[1];
        return true;
    case RecordKind::File:
        if (f.size() != 4 || !Number(f[1], entry.size) || !Number(f[2], entry.time) || f[3].empty())
            return false;
        entry.path = f[3];
        return true;
    case RecordKind::Link:
    case RecordKind::Autoexec:
        if (f.size() != 3 || f[1].empty())
            return false;
        entry.path = f[1];
        entry.second = f[2];
        return true;
    case RecordKind::RegistryKey:
        if (f.size() != 3 || f[2].empty())
            return false;
        entry.root = f[1];
        entry.path = f[2];
        return true;
    case RecordKind::RegistryValue:
        if (f.size() != 4 || f[2].empty())
            return false;
        entry.root = f[1];
        entry.path = f[2];
        entry.second = f[3];
        return true;
    }
    return false;
}

} // namespace

std::string RecordHeaderLine() {
    return "SETUPREC\t1\r\n";
}

std::string FormatRecordLine(const RecordEntry &entry) {
    if (!Clean(entry.path) || !Clean(entry.second) || !Clean(entry.root))
        return "";
    std::string line = kKindWords[static_cast<int>(entry.kind)];
    line += '\t';
    switch (entry.kind) {
    case RecordKind::Language:
        line += std::to_string(entry.language);
        break;
    case RecordKind::Folder:
    case RecordKind::Group:
    case RecordKind::Font:
    case RecordKind::InstallDir:
        line += entry.path;
        break;
    case RecordKind::File:
        line += std::to_string(entry.size) + '\t' + std::to_string(entry.time) + '\t' + entry.path;
        break;
    case RecordKind::Link:
    case RecordKind::Autoexec:
        line += entry.path + '\t' + entry.second;
        break;
    case RecordKind::RegistryKey:
        line += entry.root + '\t' + entry.path;
        break;
    case RecordKind::RegistryValue:
        line += entry.root + '\t' + entry.path + '\t' + entry.second;
        break;
    }
    return line + "\r\n";
}

ParsedRecord ParseRecord(const std::string &text) {
    ParsedRecord record;
    std::size_t from = 0;
    bool first = true;
    for (;;) {
        const std::size_t end = text.find('\n', from);
        if (end == std::string::npos)
            break; // no line end: a line cut short is not trusted
        std::string line = text.substr(from, end - from);
        from = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (first) {
            first = false;
            record.valid = line == "SETUPREC\t1";
            if (!record.valid)
                return record;
            continue;
        }
        RecordEntry entry;
        if (ParseLine(line, entry))
            record.entries.push_back(entry);
    }
    return record;
}

std::string RecordedInstallDir(const ParsedRecord &record) {
    for (const RecordEntry &entry : record.entries) {
        if (entry.kind == RecordKind::InstallDir)
            return entry.path;
    }
    return "";
}

void SetInstallRecorder(InstallRecorder *recorder) {
    App().recorder = recorder;
}

bool Recording() {
    return App().recorder != nullptr;
}

void RecordInstalled(const RecordEntry &entry) {
    if (App().recorder)
        App().recorder->Add(entry);
}

std::string RecordedText() {
    return App().recorder ? App().recorder->Text() : std::string();
}
