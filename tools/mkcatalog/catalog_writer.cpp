#include "catalog_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace catalog {
namespace {

constexpr uint32_t kPage = 512;
constexpr uint32_t kTagHeaderPage = 4;
constexpr uint32_t kTagTable = 544;

void PutU16(std::vector<uint8_t> &b, size_t at, uint32_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

void PutU32(std::vector<uint8_t> &b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

void PutText(std::vector<uint8_t> &b, size_t at, const std::string &text, size_t limit) {
    std::memcpy(b.data() + at, text.data(), std::min(text.size(), limit));
}

void PutDate(std::vector<uint8_t> &b, size_t at, const Date &d) {
    b[at] = static_cast<uint8_t>(d.year - 1900);
    b[at + 1] = static_cast<uint8_t>(d.month);
    b[at + 2] = static_cast<uint8_t>(d.day);
}

std::string Upper(std::string text) {
    for (char &c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string Padded(const std::string &text, size_t width) {
    std::string out = text.substr(0, width);
    out.resize(width, ' ');
    return out;
}

struct Node {
    uint32_t page = 0;
    std::string lastKey; // largest key below this node
};

} // namespace

std::vector<uint8_t> BuildTableBytes(const TableImage &table) {
    uint32_t recordLength = 1;
    for (const FieldSpec &f : table.fields)
        recordLength += f.length;
    const uint32_t headerLength = 32 + 32 * static_cast<uint32_t>(table.fields.size()) + 1;

    std::vector<uint8_t> b(headerLength, 0);
    b[0] = table.version;
    PutDate(b, 1, table.date);
    PutU32(b, 4, static_cast<uint32_t>(table.records.size()));
    PutU16(b, 8, headerLength);
    PutU16(b, 10, recordLength);
    b[28] = table.flags;
    b[29] = table.codePage;
    size_t at = 32;
    for (const FieldSpec &f : table.fields) {
        PutText(b, at, f.name, 10);
        b[at + 11] = static_cast<uint8_t>(f.type);
        b[at + 16] = static_cast<uint8_t>(f.length & 0xFF);
        b[at + 17] = static_cast<uint8_t>(f.type == 'C' ? f.length >> 8 : 0);
        b[at + 31] = f.tagged ? 0x01 : 0x00;
        at += 32;
    }
    b[at] = 0x0D;
    for (const std::string &record : table.records) {
        std::string r = record;
        r.resize(recordLength, ' ');
        b.insert(b.end(), r.begin(), r.end());
    }
    b.push_back(0x1A);
    return b;
}

std::vector<uint8_t> BuildIndexBytes(const IndexImage &index) {
    const uint32_t blockBytes = index.pagesPerBlock * kPage;
    const uint32_t item = (index.keyLength + 4 + 3) / 4 * 4;
    const uint32_t maxKeys = (blockBytes - 12) / item;

    std::vector<IndexEntry> entries = index.entries;
    for (IndexEntry &e : entries)
        e.key = Padded(e.key, index.keyLength);
    std::stable_sort(entries.begin(), entries.end(), [](const IndexEntry &a, const IndexEntry &b) {
        const int c = std::memcmp(a.key.data(), b.key.data(), a.key.size());
        return c != 0 ? c < 0 : a.record < b.record;
    });

    // Page 4 holds the tag header; nodes follow, one block each.
    std::vector<uint8_t> b(uint64_t{kTagHeaderPage + index.pagesPerBlock} * kPage, 0);
    const auto newNode = [&]() {
        const uint32_t page = static_cast<uint32_t>(b.size() / kPage);
        b.resize(b.size() + blockBytes, 0);
        return page;
    };
    const auto putItem = [&](uint32_t page, uint32_t slot, uint32_t pointer,
                             const std::string &key) {
        const size_t at = size_t{page} * kPage + 8 + size_t{slot} * item;
        PutU32(b, at, pointer);
        std::memcpy(b.data() + at + 4, key.data(), key.size());
    };
    // Spreads count items over as few nodes as hold them, evenly, so that no
    // node is left with a lone item.
    const auto split = [](size_t count, size_t perNode) {
        std::vector<size_t> sizes;
        const size_t nodes = std::max<size_t>(1, (count + perNode - 1) / perNode);
        for (size_t i = 0; i < nodes; ++i)
            sizes.push_back(count / nodes + (i < count % nodes));
        return sizes;
    };

    std::vector<Node> level;
    size_t next = 0;
    for (size_t size : split(entries.size(), maxKeys)) {
        Node node{newNode(), {}};
        PutU32(b, size_t{node.page} * kPage, static_cast<uint32_t>(size));
        for (uint32_t slot = 0; slot < size; ++slot, ++next) {
            putItem(node.page, slot, entries[next].record, entries[next].key);
            node.lastKey = entries[next].key;
        }
        level.push_back(node);
    }
    const uint32_t firstLeaf = level.front().page;
    const uint32_t lastLeaf = level.back().page;
    while (level.size() > 1) {
        std::vector<Node> up;
        size_t child = 0;
        for (size_t size : split(level.size(), maxKeys + 1)) {
            Node node{newNode(), {}};
            const uint32_t keys = static_cast<uint32_t>(size - 1);
            PutU32(b, size_t{node.page} * kPage, keys);
            for (uint32_t slot = 0; slot < keys; ++slot, ++child) {
                putItem(node.page, slot, level[child].page, level[child].lastKey);
            }
            PutU32(b, size_t{node.page} * kPage + 8 + size_t{keys} * item, level[child].page);
            node.lastKey = level[child].lastKey;
            ++child;
            up.push_back(node);
        }
        level = std::move(up);
    }
    const uint32_t root = level.front().page;
    const uint32_t totalPages = static_cast<uint32_t>(b.size() / kPage);

    // File header and tag table.
    b[0] = 0x02;
    PutDate(b, 1, index.date);
    PutText(b, 4, Upper(index.baseName), 15);
    PutU16(b, 20, index.pagesPerBlock);
    PutU16(b, 22, blockBytes);
    b[24] = 0x01;
    b[25] = 0x30;
    b[26] = 0x20;
    PutU16(b, 28, 1);
    b[30] = 0x02;
    b[31] = 0x1B;
    PutU32(b, 32, totalPages);
    PutDate(b, 44, index.date);
    b[529] = 0x01;
    PutU32(b, kTagTable, kTagHeaderPage);
    PutText(b, kTagTable + 4, Upper(index.tagName), 10);
    b[kTagTable + 15] = 0x10;
    b[kTagTable + 19] = 0x02;
    b[kTagTable + 20] = 'C';

    // Tag header.
    const size_t h = size_t{kTagHeaderPage} * kPage;
    PutU32(b, h, root);
    PutU32(b, h + 4, totalPages - kTagHeaderPage - index.pagesPerBlock);
    b[h + 8] = 0x10;
    b[h + 9] = 'C';
    b[h + 11] = 0x1B;
    PutU16(b, h + 12, index.keyLength);
    PutU16(b, h + 14, maxKeys);
    PutU16(b, h + 18, item);
    b[h + 20] = 0x01;
    PutText(b, h + 24, index.expression, 219);
    b[h + 246] = entries.empty() ? 0 : 1;
    PutU32(b, h + 248, firstLeaf);
    PutU32(b, h + 252, lastLeaf);
    PutDate(b, h + 257, index.date);
    b[h + 480] = index.singleFieldKey ? 0x01 : 0x00;
    return b;
}

bool BuildCatalog(const std::vector<CatalogRow> &rows, const CatalogOptions &options,
                  CatalogFiles &files, std::string &error) {
    uint32_t width = options.textWidth;
    if (width == 0) {
        width = 1;
        for (const CatalogRow &row : rows) {
            width = std::max<uint32_t>(width, static_cast<uint32_t>(row.text.size()));
        }
    }
    if (1 + kCatalogKeyWidth + uint64_t{width} > 0xFFFF) {
        error = "texts longer than " + std::to_string(0xFFFF - 1 - kCatalogKeyWidth) +
                " bytes cannot be stored";
        return false;
    }

    TableImage table;
    table.date = options.date;
    table.fields = {{"LANG", 'C', kLetterWidth},
                    {"PART1", 'C', kPartWidth},
                    {"PART2", 'C', kPartWidth},
                    {"NAME", 'C', kNameWidth},
                    {"TEXT", 'C', width}};
    IndexImage index;
    index.baseName = options.baseName;
    index.tagName = "RC_CLE1";
    index.expression = "LANG+PART1+PART2+NAME";
    index.keyLength = kCatalogKeyWidth;
    index.date = options.date;
    files.warnings.clear();

    for (const CatalogRow &row : rows) {
        const std::string where = "row " + std::string(1, row.letter) + " " + row.name;
        if (row.name.empty()) {
            error = "a row has no name";
            return false;
        }
        if (row.name.size() > kNameWidth || row.part1.size() > kPartWidth ||
            row.part2.size() > kPartWidth) {
            error = where + ": the name is limited to 32 characters and each key part to 8";
            return false;
        }
        if (row.text.size() > width) {
            error = where + ": text longer than the text field";
            return false;
        }
        if (row.text.size() > kLongestShownText) {
            files.warnings.push_back(where + ": only the first 254 bytes of the text are shown");
        }
        const std::string key =
            Upper(std::string(1, row.letter)) + Padded(Upper(row.part1), kPartWidth) +
            Padded(Upper(row.part2), kPartWidth) + Padded(Upper(row.name), kNameWidth);
        table.records.push_back((row.deleted ? "*" : " ") + key + Padded(row.text, width));
        index.entries.push_back({key, static_cast<uint32_t>(table.records.size())});
    }
    files.table = BuildTableBytes(table);
    files.index = BuildIndexBytes(index);
    return true;
}

bool WriteBytes(const std::string &path, const std::vector<uint8_t> &bytes) {
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.c_str(), "wb"),
                                                          std::fclose);
    if (!file)
        return false;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        return false;
    }
    return std::fclose(file.release()) == 0;
}

bool ReadBytes(const std::string &path, std::vector<uint8_t> &bytes) {
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.c_str(), "rb"),
                                                          std::fclose);
    if (!file)
        return false;
    bytes.clear();
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return std::ferror(file.get()) == 0;
}

} // namespace catalog
