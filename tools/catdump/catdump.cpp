// catdump: prints a message catalog table in the text form mkcatalog reads,
// or looks one text up through the index the way setup does.

#include "catalog_source.h"

#include "dbf/catalog_table.h"
#include "dbf/oem437.h"
#include "dbf/table_file.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: catdump TABLE.DBF\n"
                         "       catdump --lookup LETTER TABLE.DBF NAME...\n"
                         "The first prints every record (deleted ones too) in record order;\n"
                         "the second prints the text setup shows for each NAME under the\n"
                         "field letter (with the '!' fallback), one a line, and fails when\n"
                         "a name has none.\n");
    return 2;
}

std::string Trimmed(const char *bytes, size_t length) {
    while (length > 0 && bytes[length - 1] == ' ')
        --length;
    return std::string(bytes, length);
}

int Dump(const char *path) {
    auto source = dbf::OpenReadOnlyFile(path);
    std::unique_ptr<dbf::TableFile> table;
    if (!source || dbf::TableFile::Open(std::move(source), table) != dbf::kOk) {
        std::fprintf(stderr, "catdump: %s is not a readable table\n", path);
        return 1;
    }
    const auto &fields = table->Fields();
    if (fields.size() < 5) {
        std::fprintf(stderr, "catdump: %s has fewer than the five catalog fields\n", path);
        return 1;
    }
    std::vector<catalog::CatalogRow> rows;
    std::vector<char> record;
    for (uint32_t n = 1; n <= table->RecordCount(); ++n) {
        if (!table->ReadRecord(n, record)) {
            std::fprintf(stderr, "catdump: %s: record %u is cut short\n", path, n);
            return 1;
        }
        const auto field = [&](int j) {
            return Trimmed(record.data() + fields[j].offset, fields[j].length);
        };
        catalog::CatalogRow row;
        row.deleted = record[0] != ' ';
        const std::string letter = field(0);
        row.letter = letter.empty() ? ' ' : letter[0];
        row.part1 = field(1);
        row.part2 = field(2);
        row.name = field(3);
        row.text = field(4);
        rows.push_back(std::move(row));
    }
    std::printf("# %s: %u records\n", path, table->RecordCount());
    const std::string text = catalog::FormatCatalogSource(rows);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

// Prints the text of each name, one a line, escaped as in the text form;
// fails when a name has none.
int Lookup(const char *letter, const char *path, char **names, int count) {
    if (std::strlen(letter) != 1)
        return Usage();
    CatalogEngine engine;
    engine.oemToAnsi = nullptr; // printed as UTF-8 below
    CatalogTable handle;
    const int rc = OpenCatalogTable(engine, path, CatalogLetterIndex(letter[0]), handle);
    if (rc != kCatalogOk) {
        std::fprintf(stderr, "catdump: cannot open %s as a catalog (code %d)\n", path, rc);
        return 1;
    }
    int missing = 0;
    for (int i = 0; i < count; ++i) {
        char text[255];
        const CatalogRequest request{"NAME", "SECTION", names[i], sizeof text, text};
        if (FindCatalogText(engine, handle, request) != kCatalogOk) {
            std::fprintf(stderr, "catdump: %s has no text for %s in %s or !\n", path, names[i],
                         letter);
            ++missing;
            continue;
        }
        catalog::CatalogRow row;
        row.letter = letter[0];
        row.name = names[i];
        row.text = text;
        const std::string line = catalog::FormatCatalogSource({row});
        std::string value = line.substr(line.find(" =") + 2);
        if (!value.empty() && value[0] == ' ')
            value.erase(0, 1);
        std::fwrite(value.data(), 1, value.size(), stdout);
    }
    CloseCatalogTable(engine, handle);
    return missing == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv) {
    if (argc == 2 && argv[1][0] != '-')
        return Dump(argv[1]);
    if (argc >= 5 && std::strcmp(argv[1], "--lookup") == 0)
        return Lookup(argv[2], argv[3], argv + 4, argc - 4);
    return Usage();
}
