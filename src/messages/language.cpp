#include "messages/language.h"

namespace {

constexpr char kMarkerLetters[kLanguageCount] = {'F', 'A', 'D', 'E', 'I', 'U'};

// The section names are ANSI (1252) bytes: 0xE7 is c-cedilla, 0xF1 n-tilde.
constexpr const char *kSections[kLanguageCount] = {
    "Fran\xE7"
    "ais",
    "English",
    "Deutch",
    "Espa\xF1"
    "ol",
    "Italiano",
    "American",
};

// Two steps, as the catalogs were laid out: a letter names a column, the
// column names the field letter the records carry.
int CatalogColumnOf(char letter) {
    switch (letter) {
    case 'A':
        return 2;
    case 'D':
        return 1;
    case 'E':
        return 3;
    case 'H':
        return 8;
    case 'I':
        return 4;
    case 'J':
        return 9;
    case 'K':
        return 7;
    case 'N':
        return 6;
    case 'P':
        return 11;
    case 'Q':
        return 10;
    case 'U':
        return 5;
    default:
        return 0;
    }
}

char FieldLetterOfColumn(int column) {
    constexpr char kLetters[] = "FGAEIUDKHJQP";
    return (column >= 1 && column <= 11) ? kLetters[column] : 'F';
}

} // namespace

int LanguageIndexOf(char markerLetter) {
    for (int i = 0; i < kLanguageCount; ++i) {
        if (kMarkerLetters[i] == markerLetter)
            return i;
    }
    return 0;
}

char MarkerLetterOf(int languageIndex) {
    return (languageIndex >= 0 && languageIndex < kLanguageCount) ? kMarkerLetters[languageIndex]
                                                                  : 'F';
}

const char *SetupIniSection(int languageIndex) {
    return kSections[(languageIndex >= 0 && languageIndex < kLanguageCount) ? languageIndex : 0];
}

char CatalogFieldLetter(char languageLetter) {
    return FieldLetterOfColumn(CatalogColumnOf(languageLetter));
}
