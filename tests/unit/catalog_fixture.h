#pragma once

// Catalog tables for the tests, built in memory with mkcatalog's writer and
// served to the reader through its file opener.

#include "catalog_writer.h"

#include "dbf/byte_source.h"

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct MemoryFiles {
    std::map<std::string, std::vector<uint8_t>> files;

    dbf::FileOpener Opener() {
        return [this](const std::string &path) -> std::unique_ptr<dbf::ByteSource> {
            const auto it = files.find(path);
            if (it == files.end())
                return nullptr;
            return dbf::MemorySource(it->second);
        };
    }

    // BASE.DBF and BASE.MDX from rows.
    void AddCatalog(const std::string &base, const std::vector<catalog::CatalogRow> &rows,
                    uint32_t textWidth = 0) {
        catalog::CatalogOptions options;
        options.baseName = base;
        options.textWidth = textWidth;
        catalog::CatalogFiles built;
        std::string error;
        if (!catalog::BuildCatalog(rows, options, built, error))
            throw std::runtime_error(error);
        files[base + ".DBF"] = built.table;
        files[base + ".MDX"] = built.index;
    }

    std::vector<uint8_t> &operator[](const std::string &name) { return files[name]; }
};

inline catalog::CatalogRow Row(char letter, const std::string &name, const std::string &text,
                               bool deleted = false) {
    catalog::CatalogRow row;
    row.letter = letter;
    row.name = name;
    row.text = text;
    row.deleted = deleted;
    return row;
}

inline void PutU32(std::vector<uint8_t> &bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

inline uint32_t GetU32(const std::vector<uint8_t> &bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | bytes[at + i];
    return value;
}

// Where mkcatalog's index puts things: the tag header at page 4, the root
// page in its first word.
constexpr size_t kTagHeaderOffset = 4 * 512;
inline size_t RootOffset(const std::vector<uint8_t> &index) {
    return size_t{GetU32(index, kTagHeaderOffset)} * 512;
}
