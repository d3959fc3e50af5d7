#include "checks.h"

#include "script_check.h"
#include "ui/source_files.h"

void CheckScript(const CdFolder &cd, CdFacts &facts, Findings &findings) {
    for (const std::string_view name : kScriptFileNames) {
        const std::optional<CdFolder::Entry> entry = cd.Stat(name);
        if (entry && !entry->directory) {
            facts.scriptFile = entry->name;
            break;
        }
    }
    if (facts.scriptFile.empty()) {
        findings.Error(std::string(kScriptFileNames[1]), 0,
                       "no install script: setup stops with \"Can't find SETUP.INF or "
                       "SCRIPT.INF\"");
        return;
    }
    std::string text;
    if (!ReadCdFile(cd, facts.scriptFile, text)) {
        findings.Error(facts.scriptFile, 0, "cannot be read");
        facts.scriptFile.clear();
        return;
    }
    // Without PXD.INI setup stops before the script; its lines are still
    // checked, but not against a source directory that is not known.
    CheckScriptText(
        text,
        ScriptCheckContext{facts.scriptFile, facts.sourceDir, facts.sourceDirKnown ? &cd : nullptr},
        facts, findings);
}

void CheckSpace(const CdFacts &facts, Findings &findings) {
    if (!facts.spaceRequired || facts.scriptFile.empty())
        return;
    const std::uint64_t announced = *facts.spaceRequired;
    if (announced >= facts.bytesCopied)
        return;
    constexpr std::uint64_t kMegabyte = 1u << 20;
    const std::uint64_t needed = (facts.bytesCopied + kMegabyte - 1) / kMegabyte;
    findings.Error("PXD.INI", facts.spaceLine,
                   "[configuration] diskspacereq=" + facts.spaceText + " announces " +
                       std::to_string(announced) + " bytes but " + facts.scriptFile + " copies " +
                       std::to_string(facts.bytesCopied) + " bytes: write at least " +
                       std::to_string(needed));
}
