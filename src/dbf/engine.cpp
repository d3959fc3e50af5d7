#include "dbf/engine.h"

#include <algorithm>
#include <cstring>

namespace dbf {
namespace {

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

size_t FileNameStart(const std::string &path) {
    const size_t slash = path.find_last_of("/\\:");
    return slash == std::string::npos ? 0 : slash + 1;
}

// The table's file name: ".DBF" added when the name has no extension, the
// name itself upper-cased.
std::string TableFileName(const char *name) {
    std::string path(name);
    const size_t start = FileNameStart(path);
    if (path.find('.', start) == std::string::npos)
        path += ".DBF";
    for (size_t i = start; i < path.size(); ++i)
        path[i] = Upper(path[i]);
    return path;
}

// The same base name with another extension.
std::string CompanionName(const std::string &tablePath, const char *extension) {
    const size_t dot = tablePath.find_last_of('.');
    const size_t start = FileNameStart(tablePath);
    const size_t end = (dot != std::string::npos && dot >= start) ? dot : tablePath.size();
    return tablePath.substr(0, end) + extension;
}

int ReadEntryRecord(Table &table, int seekResult, uint32_t record) {
    if (seekResult != kOk)
        return seekResult;
    if (!table.file->ReadRecord(record, table.record)) {
        // The entry points at a record the table does not hold (whole).
        table.recordNumber = 0;
        return kErrNoRecord;
    }
    table.recordNumber = record;
    return kOk;
}

bool CurrentKeyMatches(const Table &table, const char *key) {
    if (table.selected == nullptr || !table.selected->Positioned() || table.recordNumber == 0) {
        return false;
    }
    const size_t length = std::min<size_t>(std::strlen(key), table.selected->KeyLength());
    return std::memcmp(table.selected->CurrentKey(), key, length) == 0;
}

} // namespace

int code4init(EngineContext &context) {
    context = EngineContext{};
    context.open = OpenReadOnlyFile;
    return kOk;
}

int code4initUndo(EngineContext &context) {
    context.open = nullptr;
    return kOk;
}

int d4open(EngineContext &context, const char *name, std::unique_ptr<Table> &table) {
    table.reset();
    if (!context.open || name == nullptr)
        return kErrOpen;
    const std::string path = TableFileName(name);

    auto source = context.open(path);
    if (!source)
        return kErrOpen;
    auto opened = std::make_unique<Table>();
    const int rc = TableFile::Open(std::move(source), opened->file);
    if (rc != kOk)
        return rc;

    if (opened->file->HasMemoFile()) {
        opened->memo = context.open(CompanionName(path, ".DBT"));
        if (!opened->memo)
            return kErrMemo;
    }
    if (context.autoOpenIndex && opened->file->HasProductionIndex()) {
        auto indexSource = context.open(CompanionName(path, ".MDX"));
        if (!indexSource)
            return kErrIndex;
        const int indexRc = IndexFile::Open(std::move(indexSource), opened->index);
        if (indexRc != kOk)
            return indexRc;
    }

    const auto &infos = opened->file->Fields();
    opened->fields.resize(infos.size());
    for (size_t i = 0; i < infos.size(); ++i) {
        opened->fields[i].table = opened.get();
        opened->fields[i].info = &infos[i];
    }
    table = std::move(opened);
    return kOk;
}

int d4close(std::unique_ptr<Table> &table) {
    table.reset();
    return kOk;
}

IndexTag *d4tag(Table &table, const char *name) {
    if (!table.index || name == nullptr)
        return nullptr;
    return table.index->Tag(name);
}

void d4tagSelect(Table &table, IndexTag *tag) {
    table.selected = tag;
}

int d4seek(Table &table, const char *key) {
    table.recordNumber = 0;
    if (table.selected == nullptr)
        return kErrTag;
    uint32_t record = 0;
    const int rc = table.selected->Seek(key, std::strlen(key), record);
    return ReadEntryRecord(table, rc, record);
}

int d4seekNext(Table &table, const char *key) {
    if (!CurrentKeyMatches(table, key))
        return d4seek(table, key);
    table.recordNumber = 0;
    uint32_t record = 0;
    int rc = table.selected->Next(record);
    if (rc == kOk) {
        const size_t length = std::min<size_t>(std::strlen(key), table.selected->KeyLength());
        if (std::memcmp(table.selected->CurrentKey(), key, length) != 0)
            rc = kSeekAfter;
    }
    return ReadEntryRecord(table, rc, record);
}

int d4deleted(const Table &table) {
    if (table.recordNumber == 0 || table.record.empty())
        return 1;
    return table.record[0] != ' ' ? 1 : 0;
}

Field *d4fieldJ(Table &table, int j) {
    if (j < 1 || static_cast<size_t>(j) > table.fields.size())
        return nullptr;
    return &table.fields[static_cast<size_t>(j) - 1];
}

const char *f4str(Field &field) {
    const Table &table = *field.table;
    const FieldInfo &info = *field.info;
    if (table.recordNumber == 0 || table.record.size() < info.offset + info.length) {
        field.text.assign(info.length, ' ');
    } else {
        field.text.assign(table.record.data() + info.offset, info.length);
    }
    return field.text.c_str();
}

} // namespace dbf
