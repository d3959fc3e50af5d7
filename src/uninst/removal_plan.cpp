#include "uninst/removal_plan.h"

#include "core/ascii.h"
#include "system/autoexec.h"

#include <set>

namespace {

const char kUninstallKeys[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

std::string Identity(const RecordEntry &entry) {
    return std::to_string(static_cast<int>(entry.kind)) + '|' + ToUpperAscii(entry.root) + '|' +
           ToUpperAscii(entry.path) + '|' + ToUpperAscii(entry.second);
}

bool UnderUninstallKey(const RecordEntry &entry) {
    return (entry.kind == RecordKind::RegistryKey || entry.kind == RecordKind::RegistryValue) &&
           StartsWithNoCase(entry.path, kUninstallKeys) &&
           entry.path.size() > sizeof kUninstallKeys - 1;
}

std::string WithBackslash(std::string path) {
    if (path.empty() || path.back() != '\\')
        path += '\\';
    return path;
}

} // namespace

bool PathInside(const std::string &path, const std::string &dir) {
    return !dir.empty() && path.size() > dir.size() && StartsWithNoCase(path, dir);
}

RemovalPlan PlanRemoval(const ParsedRecord &record, const std::string &installDir) {
    RemovalPlan plan;
    std::vector<std::string> groups;
    for (const RecordEntry &entry : record.entries) {
        if (entry.kind == RecordKind::Language)
            plan.language = entry.language;
        else if (entry.kind == RecordKind::Group)
            groups.push_back(WithBackslash(entry.path));
    }
    const auto ours = [&](const std::string &path) {
        if (PathInside(path, installDir))
            return true;
        for (const std::string &group : groups) {
            if (PathInside(path, group))
                return true;
        }
        return false;
    };

    std::set<std::string> seen;
    std::vector<RemovalStep> last; // the uninstall key's own values and keys
    for (auto it = record.entries.rbegin(); it != record.entries.rend(); ++it) {
        const RecordEntry &entry = *it;
        // Each run appends its batch lines again: each append is taken out.
        if (entry.kind != RecordKind::Autoexec && !seen.insert(Identity(entry)).second)
            continue;
        RemovalStep step;
        step.entry = entry;
        switch (entry.kind) {
        case RecordKind::Language:
        case RecordKind::Font: // fonts are shared with every other program
            continue;
        case RecordKind::File:
            if (!ours(entry.path))
                continue;
            step.kind = StepKind::RemoveFile;
            break;
        case RecordKind::Link:
            if (!PathInside(entry.second, installDir))
                continue;
            step.kind = StepKind::RemoveLink;
            break;
        case RecordKind::Folder:
        case RecordKind::Group:
            step.kind = StepKind::RemoveFolder;
            break;
        case RecordKind::RegistryValue:
            step.kind = StepKind::RemoveValue;
            break;
        case RecordKind::RegistryKey:
            step.kind = StepKind::RemoveKey;
            break;
        case RecordKind::Autoexec:
            step.kind = StepKind::RemovePathLines;
            break;
        }
        if (UnderUninstallKey(entry))
            last.push_back(step);
        else
            plan.steps.push_back(step);
    }
    plan.steps.insert(plan.steps.end(), last.begin(), last.end());
    return plan;
}

std::string RemovePathLines(const std::string &content, const std::string &directory,
                            bool &removed) {
    const std::string pair =
        std::string(kAutoexecMarkerLine) + "\r\nSET PATH=%PATH%;" + directory + "\r\n";
    const std::size_t at = content.rfind(pair);
    removed = at != std::string::npos;
    if (!removed)
        return content;
    return content.substr(0, at) + content.substr(at + pair.size());
}

std::string AddWininitDeletes(const std::string &content, const std::vector<std::string> &paths) {
    std::string lines;
    for (const std::string &path : paths)
        lines += "NUL=" + path + "\r\n";
    // The lines are carried out in order: ours go at the end of the section,
    // after what earlier programs asked for.
    bool inSection = false;
    std::size_t from = 0;
    while (from < content.size()) {
        std::size_t end = content.find('\n', from);
        if (end == std::string::npos)
            end = content.size();
        std::string line = content.substr(from, end - from);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (inSection && !line.empty() && line[0] == '[')
            return content.substr(0, from) + lines + content.substr(from);
        if (EqualsNoCase(line, "[rename]"))
            inSection = true;
        from = end + 1;
    }
    std::string text = content;
    if (!text.empty() && text.back() != '\n')
        text += "\r\n";
    return text + (inSection ? "" : "[rename]\r\n") + lines;
}
