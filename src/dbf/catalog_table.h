#pragma once

// Read-only access to one message catalog table: a .DBF whose production
// index has the tag "RC_CLE1", keyed by a language letter, two key parts and
// a message name; the text is the record's fifth field, stored in the OEM
// code page.

#include "dbf/engine.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

constexpr int kCatalogOk = 0;
constexpr int kCatalogEngineFailed = -2048;
constexpr int kCatalogNotOpen = -2049;
constexpr int kCatalogNotFound = -2050;

// Converts a zero-terminated OEM text to the ANSI code page in place.
using OemToAnsiFn = std::function<void(char *text)>;

// The engine shared by every open catalog table: its context exists from the
// first successful open to the close of the last open table.
struct CatalogEngine {
    std::unique_ptr<dbf::EngineContext> context;
    int32_t catalogOpenCount = 0;
    // How tables are opened (the real file system unless replaced) and how
    // texts are converted (code page 437 to 1252 unless replaced, on Windows
    // by the system's own conversion).
    dbf::FileOpener open;
    OemToAnsiFn oemToAnsi;

    CatalogEngine();
};

// One open catalog table and the letter that leads its keys.
struct CatalogTable {
    char keyLetter = 'F';
    std::unique_ptr<dbf::Table> table;
};

struct CatalogRequest {
    const char *part1 = "";
    const char *part2 = "";
    const char *messageId = "";
    size_t capacity = 0; // bytes of output, terminating zero included
    char *output = nullptr;
};

// Characters of a message name the key holds: longer names are cut to it.
constexpr size_t kCatalogNameLength = 32;
// Width of the search key: letter, part 1 (8), part 2 (8), message name.
constexpr size_t kCatalogKeyLength = 17 + kCatalogNameLength;

// Key letter of a language index: 1 G, 2 A, 3 E, 4 I, 5 U, 6 D, 7 K, 8 H,
// 9 J, 10 Q, 11 P, anything else F.
char CatalogKeyLetter(int languageIndex);
// The index that gives a key letter (0 for F and unknown letters).
int CatalogLetterIndex(char keyLetter);

// The upper-cased, blank-padded search key; parts longer than their columns
// are cut to them. out receives kCatalogKeyLength characters and a zero.
void BuildCatalogKey(char letter, const char *part1, const char *part2, const char *messageId,
                     char (&out)[kCatalogKeyLength + 1]);

// Opens fileName with its index and selects the tag "RC_CLE1". 0, or the
// engine's code (kCatalogEngineFailed when the engine cannot start), or
// nonzero when the tag is missing; the handle then holds no table.
int OpenCatalogTable(CatalogEngine &engine, const char *fileName, int languageIndex,
                     CatalogTable &handle);
// 0 with the text in request.output, or kCatalogNotFound (output untouched).
int FindCatalogText(CatalogEngine &engine, CatalogTable &handle, const CatalogRequest &request);
// 0, or kCatalogNotOpen when the handle holds no table.
int CloseCatalogTable(CatalogEngine &engine, CatalogTable &handle);
