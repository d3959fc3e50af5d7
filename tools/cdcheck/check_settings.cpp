#include "checks.h"

#include "core/limits.h"
#include "files/profile_text.h"
#include "ui/drive_entry.h"
#include "ui/product_values.h"
#include "ui/source_files.h"

#include <fstream>
#include <sstream>

namespace {

const std::string kFile(kSettingsFileName);

// Buffers as setup reads into them, terminating zero included.
constexpr std::size_t kValueCapacity = kMaxSettingsValue + 1;
constexpr std::size_t kWelcomeNameCapacity = kMaxShownProductName + 1;
constexpr std::size_t kUninstallNameCapacity = kMaxUninstallProductName + 1;
// The most a drive's free space can be counted with: a larger need leaves
// no drive to choose.
constexpr std::uint64_t kMaxCountedMegabytes = kFreeSpaceCap >> 20;

struct KeyRule {
    const char *section;
    const char *key;
    bool required;
};

constexpr KeyRule kKeys[] = {
    {"general", "product", true},
    {"general", "sourcedirectory", true},
    {"general", "installdirectory", true},
    {"general", "Exec", true},
    {"configuration", "diskspacereq", true},
    {"configuration", "diskspacereqreins", false},
    {"setup", "rechname", false},
    {"setup", "rechver", false},
};

bool IsWholeNumber(const std::string &value) {
    std::size_t i = 0;
    while (i < value.size() && (value[i] == ' ' || value[i] == '\t'))
        ++i;
    if (i < value.size() && value[i] == '+')
        ++i;
    if (i == value.size())
        return false;
    for (; i < value.size(); ++i) {
        if (value[i] < '0' || value[i] > '9')
            return false;
    }
    return true;
}

// The digits of a whole number, capped well above anything that fits.
std::uint64_t WholeMegabytes(const std::string &value) {
    std::uint64_t megabytes = 0;
    for (const char c : value) {
        if (c >= '0' && c <= '9' && megabytes < (1u << 20))
            megabytes = megabytes * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return megabytes;
}

// The line of a key, 0 when it is missing.
int LineOf(const std::string &text, const char *section, const char *key) {
    const std::optional<ProfileEntry> entry = FindProfileEntry(text, section, key);
    return entry ? entry->line : 0;
}

std::string Where(const KeyRule &rule) {
    return std::string("[") + rule.section + "] " + rule.key;
}

// `limited`: setup compares the value with a drive's free space.
void CheckSize(const std::string &text, const char *section, const char *key, bool limited,
               Findings &findings) {
    const std::optional<std::string> value = ProfileValue(text, section, key);
    if (!value)
        return;
    const int line = LineOf(text, section, key);
    if (!IsWholeNumber(*value)) {
        findings.Error(kFile, line,
                       std::string("[") + section + "] " + key + "=" + *value +
                           " is not a number of megabytes (setup reads " +
                           std::to_string(MegabytesToBytes(*value) >> 20) + " MB)");
    } else if (WholeMegabytes(*value) >= 4096) {
        findings.Error(kFile, line,
                       std::string("[") + section + "] " + key + "=" + *value +
                           " MB does not fit setup's 32-bit byte count: setup reads " +
                           std::to_string(MegabytesToBytes(*value) >> 20) + " MB (at most " +
                           std::to_string(kMaxCountedMegabytes) + " MB)");
    } else if (limited && WholeMegabytes(*value) > kMaxCountedMegabytes) {
        findings.Error(kFile, line,
                       std::string("[") + section + "] " + key + "=" + *value +
                           " MB is more than setup counts of a drive's free space (about 2 GB): "
                           "no drive can be chosen and the user sees only that no disk has room "
                           "(at most " +
                           std::to_string(kMaxCountedMegabytes) + " MB)");
    }
}

} // namespace

bool ReadCdFile(const CdFolder &cd, const std::string &cdPath, std::string &text) {
    const std::optional<std::filesystem::path> path = cd.Find(cdPath);
    if (!path)
        return false;
    std::ifstream in(*path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return !in.bad();
}

void CheckSettings(const CdFolder &cd, CdFacts &facts, Findings &findings) {
    std::string text;
    if (!ReadCdFile(cd, kFile, text)) {
        findings.Error(kFile, 0, "missing: setup stops with \"Can't find \"PXD.INI\" file\"");
        return;
    }
    for (const KeyRule &rule : kKeys) {
        const std::optional<std::string> value = ProfileValue(text, rule.section, rule.key);
        if (!value) {
            if (rule.required)
                findings.Error(kFile, 0, Where(rule) + " is missing");
            continue;
        }
        if (value->size() >= kValueCapacity) {
            findings.Warning(kFile, LineOf(text, rule.section, rule.key),
                             Where(rule) + " is " + std::to_string(value->size()) +
                                 " characters long; setup reads only the first " +
                                 std::to_string(kValueCapacity - 1));
        }
    }

    const std::string product = ProfileValue(text, "general", "product").value_or("");
    for (const std::size_t capacity : {kWelcomeNameCapacity, kUninstallNameCapacity}) {
        if (product.size() >= capacity) {
            findings.Warning(kFile, LineOf(text, "general", "product"),
                             "[general] product is " + std::to_string(product.size()) +
                                 " characters long; " +
                                 (capacity == kWelcomeNameCapacity ? "the welcome text"
                                                                   : "the uninstall entry") +
                                 " cuts it after " + std::to_string(capacity - 1) + ": \"" +
                                 ProfileValueCut(product, capacity) + "\"");
        }
    }

    const std::string source = ProfileValueCut(
        ProfileValue(text, "general", "sourcedirectory").value_or(""), kValueCapacity);
    facts.sourceDir = SourceDirectoryOf("", source);
    facts.sourceDirKnown = true;
    const std::optional<CdFolder::Entry> dir = cd.Stat(facts.sourceDir);
    if (!dir || !dir->directory) {
        findings.Error(kFile, LineOf(text, "general", "sourcedirectory"),
                       "[general] sourcedirectory=" + source + " is not a folder of the CD");
    }

    // An install directory that names no folder is the drive's root, whose
    // files the clean-up before the first command would delete.
    if (const auto install = ProfileValue(text, "general", "installdirectory");
        install && install->find_first_not_of("\\| \t") == std::string::npos) {
        findings.Error(kFile, LineOf(text, "general", "installdirectory"),
                       "[general] installdirectory=" + *install +
                           " names no folder: setup would install into the drive's root and "
                           "delete the files there before the first command");
    } else if (install && !install->empty() && (*install)[0] != '\\') {
        // "C:" and "Demo" make "C:Demo": a folder of that drive's current one.
        findings.Warning(kFile, LineOf(text, "general", "installdirectory"),
                         "[general] installdirectory=" + *install +
                             " does not begin with \"\\\": setup puts the drive letter before it "
                             "(\"C:" +
                             *install +
                             "\"), a path from the drive's current folder, not its "
                             "root (write \"\\" +
                             *install + "\")");
    }
    CheckSize(text, "configuration", "diskspacereq", true, findings);
    CheckSize(text, "configuration", "diskspacereqreins", false, findings);
    if (const auto space = ProfileValue(text, "configuration", "diskspacereq")) {
        facts.spaceText = ProfileValueCut(*space, kValueCapacity);
        facts.spaceRequired = MegabytesToBytes(facts.spaceText);
        facts.spaceLine = LineOf(text, "configuration", "diskspacereq");
    }
    if (const auto version = ProfileValue(text, "setup", "rechver");
        version && !IsWholeNumber(*version)) {
        findings.Warning(kFile, LineOf(text, "setup", "rechver"),
                         "[setup] rechver=" + *version +
                             " is not a number; setup compares earlier installs with version 0");
    }
}
