#include "uninst/removal_plan.h"

#include "core/ascii.h"
#include "system/autoexec.h"

#include <set>

namespace {

std::string Identity(const RecordEntry &entry) {
    return std::to_string(static_cast<int>(entry.kind)) + '|' + ToUpperAscii(entry.root) + '|' +
           ToUpperAscii(entry.path) + '|' + ToUpperAscii(entry.second);
}

bool UnderUninstallKey(const RecordEntry &entry, const std::string &uninstallKey) {
    return (entry.kind == RecordKind::RegistryKey || entry.kind == RecordKind::RegistryValue) &&
           (EqualsNoCase(entry.path, uninstallKey) ||
            StartsWithNoCase(entry.path, uninstallKey + '\\'));
}

} // namespace

RemovalPlan PlanRemoval(const ParsedRecord &record, const RecordBounds &bounds,
                        const CanonicalPathFn &canonical) {
    RemovalPlan plan;
    ScreenedRecord screened = ScreenRecord(record.entries, bounds, canonical);
    plan.refused = std::move(screened.refused);
    const std::vector<RecordEntry> &entries = screened.accepted;
    for (const RecordEntry &entry : entries) {
        if (entry.kind == RecordKind::Language)
            plan.language = entry.language;
    }
    const std::string uninstallKey = SetupKeyPath(SetupKeyId::Uninstall, bounds.keyNames.uninstall);

    std::set<std::string> seen;
    std::vector<RemovalStep> last; // the uninstall key's own values and keys
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        const RecordEntry &entry = *it;
        // Each run appends its batch lines again: each append is taken out.
        if (entry.kind != RecordKind::Autoexec && !seen.insert(Identity(entry)).second)
            continue;
        RemovalStep step;
        step.entry = entry;
        switch (entry.kind) {
        case RecordKind::Language:
        case RecordKind::InstallDir:
        case RecordKind::Font: // fonts are shared with every other program
            continue;
        case RecordKind::File:
            step.kind = StepKind::RemoveFile;
            break;
        case RecordKind::Link:
            if (!PathInside(entry.second, bounds.installDir))
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
        if (!bounds.keyNames.uninstall.empty() && UnderUninstallKey(entry, uninstallKey))
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
