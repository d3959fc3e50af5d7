#pragma once

// Writes dBASE tables (.DBF) and dBASE IV production indexes (.MDX) with one
// character tag: what mkcatalog needs for message catalogs, and what the
// tests need to build well-formed and deliberately damaged fixtures.

#include <cstdint>
#include <string>
#include <vector>

namespace catalog {

struct Date {
    int year = 2000;
    int month = 1;
    int day = 1;
};

struct FieldSpec {
    std::string name; // at most 10 characters
    char type = 'C';
    uint32_t length = 1; // character fields up to 65535 (the high byte goes to byte 17)
    bool tagged = false; // the field has a tag of its own in the production index
};

struct TableImage {
    uint8_t version = 0x03;  // dBASE III/IV without memo
    uint8_t flags = 0x01;    // a production index belongs to the table
    uint8_t codePage = 0x01; // language driver: code page 437
    Date date;
    std::vector<FieldSpec> fields;
    // Whole records: the deleted flag, then every field at its width.
    std::vector<std::string> records;
};

std::vector<uint8_t> BuildTableBytes(const TableImage &table);

struct IndexEntry {
    std::string key; // keyLength bytes
    uint32_t record = 0;
};

struct IndexImage {
    std::string baseName; // the table's name without extension
    std::string tagName;
    std::string expression;
    uint32_t keyLength = 0;
    uint32_t pagesPerBlock = 2;
    bool singleFieldKey = false; // the expression is one plain field
    Date date;
    // Any order; written sorted by key bytes, then by record number.
    std::vector<IndexEntry> entries;
};

std::vector<uint8_t> BuildIndexBytes(const IndexImage &index);

// One catalog row: the text is in code page 437 already.
struct CatalogRow {
    char letter = 'F'; // a field letter, or '!' for every language
    std::string part1 = "NAME";
    std::string part2 = "SECTION";
    std::string name;
    std::string text;
    bool deleted = false;
};

struct CatalogOptions {
    Date date;
    std::string baseName = "CATALOG";
    uint32_t textWidth = 0; // 0: the longest text (at least 1)
};

struct CatalogFiles {
    std::vector<uint8_t> table;
    std::vector<uint8_t> index;
    std::vector<std::string> warnings;
};

// Column widths of a catalog record after the deleted flag.
constexpr uint32_t kLetterWidth = 1;
constexpr uint32_t kPartWidth = 8;
constexpr uint32_t kNameWidth = 32;
constexpr uint32_t kCatalogKeyWidth = kLetterWidth + 2 * kPartWidth + kNameWidth;
// Longest text the installer shows whole: its buffer holds 254 bytes.
constexpr uint32_t kLongestShownText = 254;

// Builds the table (fields LANG, PART1, PART2, NAME, TEXT) and its index
// with the tag "RC_CLE1" over LANG+PART1+PART2+NAME, names and parts
// upper-cased. False with a message when a row cannot be stored.
bool BuildCatalog(const std::vector<CatalogRow> &rows, const CatalogOptions &options,
                  CatalogFiles &files, std::string &error);

bool WriteBytes(const std::string &path, const std::vector<uint8_t> &bytes);
bool ReadBytes(const std::string &path, std::vector<uint8_t> &bytes);

} // namespace catalog
