// Fuzzes the catalog table reader over a table and its index given as bytes.
// Input: byte 0 the language index, bytes 1-4 the table's length (LE), the
// table, then the index (the rest). The memo file exists when byte 0 is odd.

#include "dbf/catalog_table.h"
#include "dbf/index_file.h"
#include "dbf/oem437.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 5)
        return 0;
    const int language = data[0] % 13;
    size_t tableSize = data[1] | (data[2] << 8) | (data[3] << 16) | (size_t{data[4]} << 24);
    data += 5;
    size -= 5;
    if (tableSize > size)
        tableSize = size;
    const std::vector<uint8_t> table(data, data + tableSize);
    const std::vector<uint8_t> index(data + tableSize, data + size);
    const bool memo = (language & 1) != 0;

    CatalogEngine engine;
    engine.open = [&](const std::string &path) -> std::unique_ptr<dbf::ByteSource> {
        if (path == "T.DBF")
            return dbf::MemorySource(table);
        if (path == "T.MDX")
            return dbf::MemorySource(index);
        if (path == "T.DBT" && memo)
            return dbf::MemorySource({});
        return nullptr;
    };
    engine.oemToAnsi = dbf::Oem437ToAnsi1252;

    CatalogTable handle;
    if (OpenCatalogTable(engine, "t", language, handle) != kCatalogOk)
        return 0;

    char text[255];
    for (const char *name : {"BONJOUR", "BTN_YES", "fe_EOF", "MSG7", "A", ""}) {
        const CatalogRequest request{"NAME", "SECTION", name, sizeof text, text};
        FindCatalogText(engine, handle, request);
    }

    // Walk the whole tag in key order, as far as the tree allows.
    dbf::IndexTag *tag = handle.table->selected;
    uint32_t record = 0;
    for (int rc = tag->First(record); rc == dbf::kOk; rc = tag->Next(record)) {
    }
    CloseCatalogTable(engine, handle);
    return 0;
}
