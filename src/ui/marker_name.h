#pragma once

#include <string>

// The CD marker file is named PPPPLVVV.CDn: product code, language marker
// letter, version times 100 and disk number.
struct MarkerInfo {
    bool diskOne = false;    // the name ends in "1"
    std::string productCode; // first four characters, upper case
    char languageLetter = 0; // fifth character, upper case (NUL when the name is shorter)
    int version = 0;         // the number after the five-character prefix
};

MarkerInfo ParseMarkerName(const std::string &name);
