#pragma once

// The six languages of a CD: French, English, German, Spanish, Italian and
// American, by index. The marker letter comes from the CD marker file name.
constexpr int kLanguageCount = 6;

// Index of a marker letter (F 0, A 1, D 2, E 3, I 4, U 5); any other letter
// counts as French.
int LanguageIndexOf(char markerLetter);

// The marker letter that stands for an index ("F" for anything unknown).
char MarkerLetterOf(int languageIndex);

// Section of .\setup.ini holding a language's messages, in code page 1252.
const char *SetupIniSection(int languageIndex);

// Field letter of a catalog record for a language letter (D gives G, N gives
// D, unknown letters give F).
char CatalogFieldLetter(char languageLetter);
