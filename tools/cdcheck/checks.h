#pragma once

#include "cd_folder.h"
#include "findings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What one check learns that a later one needs.
struct CdFacts {
    std::string sourceDir;                      // CD path of the source directory: "" or "DATA\"
    bool sourceDirKnown = false;                // PXD.INI was read
    std::string markerName;                     // upper case, "" when there is none
    char languageLetter = 0;                    // the marker's language letter, 0 when unknown
    std::optional<std::uint32_t> spaceRequired; // diskspacereq in bytes
    std::string spaceText;                      // diskspacereq as written
    int spaceLine = 0;                          // its line in PXD.INI

    std::string scriptFile; // as named on the CD, "" when there is none
    std::uint64_t bytesCopied = 0;

    // Catalog names the script asks for, with the line that asks.
    struct NameUse {
        std::string name;
        int line = 0;
    };
    std::vector<NameUse> scriptNames; // SCRIPT.DBF
    std::vector<NameUse> setupNames;  // SETUP.DBF, beyond setup's own
    struct MessageUse {
        int number = 0;
        int line = 0;
    };
    std::vector<MessageUse> messages; // MESSAGE n
    // Commands whose texts only the catalogs give, with their lines.
    struct CommandUse {
        std::string command;
        int line = 0;
    };
    std::vector<CommandUse> catalogOnly;
};

// Each check reads one file (or family of files) of the CD folder.
void CheckSettings(const CdFolder &cd, CdFacts &facts, Findings &findings);
void CheckMarker(const CdFolder &cd, CdFacts &facts, Findings &findings);
void CheckScript(const CdFolder &cd, CdFacts &facts, Findings &findings);
void CheckSpace(const CdFacts &facts, Findings &findings);
void CheckCatalogs(const CdFolder &cd, const CdFacts &facts, Findings &findings);
void CheckBitmap(const CdFolder &cd, Findings &findings);
// What the disc holds: its size, file sizes, folder depth, names.
void CheckDisc(const CdFolder &cd, Findings &findings);

// All of them, in that order.
void CheckCd(const CdFolder &cd, Findings &findings);

// The whole text of a CD file; false when it cannot be read.
bool ReadCdFile(const CdFolder &cd, const std::string &cdPath, std::string &text);
