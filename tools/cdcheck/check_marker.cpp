#include "checks.h"

#include "core/ascii.h"
#include "ui/marker_name.h"
#include "ui/source_files.h"

namespace {

constexpr std::string_view kLanguageLetters = "FADEIU";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

void CheckMarker(const CdFolder &cd, CdFacts &facts, Findings &findings) {
    std::vector<std::string> markers;
    for (const CdFolder::Entry &entry : cd.List("")) {
        if (!entry.directory && MatchesPattern(entry.name, kMarkerPattern))
            markers.push_back(entry.name);
    }
    if (markers.empty()) {
        findings.Error(std::string(kMarkerPattern), 0,
                       "no CD marker file at the root: setup asks for the first disk and stops");
        return;
    }
    if (markers.size() > 1) {
        std::string names;
        for (const std::string &name : markers)
            names += (names.empty() ? "" : ", ") + name;
        findings.Error(markers[1], 0,
                       "more than one CD marker file (" + names +
                           "): setup takes whichever the file system lists first");
        return;
    }

    // setup reads the name in capitals.
    const std::string name = ToUpperAscii(markers.front());
    const MarkerInfo info = ParseMarkerName(name);
    facts.markerName = name;
    const std::string &file = markers.front();
    // PPPPLVVV.CDn: the parse reads five characters, then the version.
    const bool layout = name.size() == 12 && IsDigit(name[5]) && IsDigit(name[6]) &&
                        IsDigit(name[7]) && name[8] == '.' && IsDigit(name[11]);
    if (!layout) {
        findings.Error(file, 0,
                       "marker name is not PPPPLVVV.CDn (product code, language letter, three "
                       "version digits, disk number)");
    } else if (info.version == 0) {
        findings.Error(file, 0, "marker name gives version 0");
    }
    if (kLanguageLetters.find(info.languageLetter) == std::string_view::npos ||
        info.languageLetter == 0) {
        findings.Error(file, 0,
                       std::string("language letter '") +
                           (info.languageLetter ? std::string(1, info.languageLetter) : "") +
                           "' is none of F A D E I U: setup shows French");
    } else {
        facts.languageLetter = info.languageLetter;
    }
    if (!info.diskOne) {
        findings.Error(file, 0, "marker is not disk 1: setup asks for the first disk and stops");
    }
}
