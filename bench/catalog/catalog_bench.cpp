// Catalog lookups through the RC_CLE1 index against a linear scan of the
// same table, in one run: time per lookup and pages read per lookup.
//   catalog_bench [--records N] [--lookups N] [--text-width N] [--dir DIR]
// Also prints the index's nodes per lookup for smaller tables, to show that
// it follows the tree's depth rather than the table's size.

#include "catalog_writer.h"

#include "dbf/byte_source.h"
#include "dbf/catalog_table.h"
#include "dbf/index_file.h"
#include "dbf/table_file.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr char kLetters[] = "FAGEIU";
using Clock = std::chrono::steady_clock;

struct Lookup {
    int language; // index into kLetters
    std::string name;
};

std::string NameOf(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "MSG%06d", i / 6);
    return name;
}

// N records: every name in the six languages, a text of about 40 bytes.
std::string BuildTable(const std::string &dir, int records, uint32_t textWidth) {
    std::vector<catalog::CatalogRow> rows;
    rows.reserve(static_cast<size_t>(records));
    for (int i = 0; i < records; ++i) {
        catalog::CatalogRow row;
        row.letter = kLetters[i % 6];
        row.name = NameOf(i);
        row.text = "Text of record " + std::to_string(i + 1) + " in " + kLetters[i % 6];
        rows.push_back(row);
    }
    catalog::CatalogOptions options;
    options.baseName = "BENCH" + std::to_string(records);
    options.textWidth = textWidth;
    catalog::CatalogFiles files;
    std::string error;
    if (!catalog::BuildCatalog(rows, options, files, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
    const std::string base = dir + "/" + options.baseName;
    if (!catalog::WriteBytes(base + ".DBF", files.table) ||
        !catalog::WriteBytes(base + ".MDX", files.index)) {
        std::fprintf(stderr, "cannot write %s\n", base.c_str());
        std::exit(1);
    }
    return base + ".DBF";
}

std::vector<Lookup> PickLookups(int records, int count) {
    std::mt19937 random(20240115);
    std::vector<Lookup> lookups;
    for (int i = 0; i < count; ++i) {
        const int record = static_cast<int>(random() % static_cast<unsigned>(records));
        lookups.push_back({record % 6, NameOf(record)});
    }
    return lookups;
}

// The same answer without the index: read the table front to back in large
// blocks until the first live record with the key (then the "!" key).
class Scanner {
public:
    explicit Scanner(const std::string &path) {
        std::unique_ptr<dbf::TableFile> table;
        if (dbf::TableFile::Open(dbf::OpenReadOnlyFile(path), table) != dbf::kOk)
            std::exit(1);
        headerLength_ = table->HeaderLength();
        recordLength_ = table->RecordLength();
        count_ = table->RecordCount();
        textOffset_ = table->Fields()[4].offset;
        textLength_ = table->Fields()[4].length;
        file_ = dbf::OpenReadOnlyFile(path);
        perChunk_ = 65536 / recordLength_;
        chunk_.resize(size_t{perChunk_} * recordLength_);
    }

    bool Find(char letter, const char *name, std::string &text) {
        char key[kCatalogKeyLength + 1];
        BuildCatalogKey(letter, "NAME", "SECTION", name, key);
        if (Scan(key, text))
            return true;
        key[0] = '!';
        return Scan(key, text);
    }

    uint64_t bytesRead = 0;

private:
    bool Scan(const char *key, std::string &text) {
        for (uint32_t first = 0; first < count_; first += perChunk_) {
            const uint32_t n = std::min(perChunk_, count_ - first);
            const size_t bytes = size_t{n} * recordLength_;
            file_->ReadAt(headerLength_ + uint64_t{first} * recordLength_, chunk_.data(), bytes);
            bytesRead += bytes;
            for (uint32_t r = 0; r < n; ++r) {
                const char *record = chunk_.data() + size_t{r} * recordLength_;
                if (record[0] == ' ' && std::memcmp(record + 1, key, kCatalogKeyLength) == 0) {
                    size_t length = textLength_;
                    while (length > 0 && record[textOffset_ + length - 1] == ' ')
                        --length;
                    text.assign(record + textOffset_, std::min<size_t>(length, 254));
                    return true;
                }
            }
        }
        return false;
    }

    std::unique_ptr<dbf::ByteSource> file_;
    uint32_t headerLength_ = 0, recordLength_ = 0, count_ = 0, perChunk_ = 0;
    uint32_t textOffset_ = 0, textLength_ = 0;
    std::vector<char> chunk_;
};

struct IndexRun {
    double seconds = 0;
    uint64_t visited = 0; // nodes a seek went through
    uint64_t nodes = 0;   // of those, read from the file (the rest were kept)
    std::vector<std::string> texts;
};

IndexRun RunIndex(const std::string &path, const std::vector<Lookup> &lookups) {
    CatalogEngine engine;
    engine.oemToAnsi = nullptr;
    CatalogTable handles[6];
    for (int l = 0; l < 6; ++l) {
        if (OpenCatalogTable(engine, path.c_str(), CatalogLetterIndex(kLetters[l]), handles[l]) !=
            kCatalogOk) {
            std::fprintf(stderr, "cannot open %s\n", path.c_str());
            std::exit(1);
        }
    }
    IndexRun run;
    char text[255];
    const auto start = Clock::now();
    for (const Lookup &lookup : lookups) {
        const CatalogRequest request{"NAME", "SECTION", lookup.name.c_str(), sizeof text, text};
        if (FindCatalogText(engine, handles[lookup.language], request) != kCatalogOk)
            text[0] = 0;
        run.texts.emplace_back(text);
    }
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    for (CatalogTable &h : handles) {
        run.visited += h.table->index->NodesVisited();
        run.nodes += h.table->index->NodesRead();
        CloseCatalogTable(engine, h);
    }
    return run;
}

} // namespace

int main(int argc, char **argv) {
    int records = 100000, lookupCount = 10000;
    // The widest text setup can show; catalog tables declare their text
    // field that wide.
    uint32_t textWidth = 254;
    std::string dir = ".";
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--records") == 0)
            records = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--lookups") == 0)
            lookupCount = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--dir") == 0)
            dir = argv[i + 1];
        else if (std::strcmp(argv[i], "--text-width") == 0)
            textWidth = static_cast<uint32_t>(std::atoi(argv[i + 1]));
    }
    if (records < 6 || lookupCount < 1 || textWidth < 40 || textWidth > 65000)
        return 2;

    std::printf("index nodes per lookup by table size (%d lookups each):\n", lookupCount);
    for (int size = 1000; size < records; size *= 10) {
        const std::string path = BuildTable(dir, size, textWidth);
        const IndexRun run = RunIndex(path, PickLookups(size, lookupCount));
        std::printf("  %7d records: %.2f nodes visited, %.2f read from the file\n", size,
                    double(run.visited) / lookupCount, double(run.nodes) / lookupCount);
    }

    const std::string path = BuildTable(dir, records, textWidth);
    const std::vector<Lookup> lookups = PickLookups(records, lookupCount);
    const IndexRun index = RunIndex(path, lookups);

    Scanner scanner(path);
    std::string text;
    int mismatches = 0;
    const auto start = Clock::now();
    for (size_t i = 0; i < lookups.size(); ++i) {
        if (!scanner.Find(kLetters[lookups[i].language], lookups[i].name.c_str(), text))
            text.clear();
        if (text != index.texts[i])
            ++mismatches;
    }
    const double scanSeconds = std::chrono::duration<double>(Clock::now() - start).count();

    std::printf("%d records of %u bytes, %d lookups\n", records, 1 + 49 + textWidth, lookupCount);
    std::printf("  index: %.3f s, %.2f us per lookup; per lookup %.2f nodes visited, %.2f read "
                "from the file (%.2f pages of 512), and the record\n",
                index.seconds, 1e6 * index.seconds / lookupCount,
                double(index.visited) / lookupCount, double(index.nodes) / lookupCount,
                2.0 * double(index.nodes) / lookupCount);
    std::printf("  scan:  %.3f s, %.2f us per lookup, %.1f pages of 512 per lookup\n", scanSeconds,
                1e6 * scanSeconds / lookupCount, double(scanner.bytesRead) / 512 / lookupCount);
    std::printf("  index is %.0fx faster; %d answers differ\n", scanSeconds / index.seconds,
                mismatches);
    return mismatches == 0 ? 0 : 1;
}
