#pragma once

// The table engine the catalog reads through: a read-only subset of the
// classic dBASE engine calls, under their usual names. A context carries the
// settings every table is opened with; a table is a .DBF with its production
// index (.MDX) and, when it calls for one, its memo file (.DBT).

#include "dbf/byte_source.h"
#include "dbf/index_file.h"
#include "dbf/table_file.h"

#include <memory>
#include <string>
#include <vector>

namespace dbf {

struct EngineContext {
    // Tables open read-only and shared; the production index opens with its
    // table; the engine never shows a message of its own, it returns codes.
    bool readOnly = true;
    bool sharedAccess = true;
    bool autoOpenIndex = true;
    bool errorsOff = true;
    FileOpener open;
};

class Table;

struct Field {
    Table *table = nullptr;
    const FieldInfo *info = nullptr;
    std::string text; // the last f4str result
};

class Table {
public:
    std::unique_ptr<TableFile> file;
    std::unique_ptr<ByteSource> memo; // held open, never read
    std::unique_ptr<IndexFile> index;
    IndexTag *selected = nullptr;
    std::vector<Field> fields;
    std::vector<char> record;  // the current record's bytes
    uint32_t recordNumber = 0; // 0: no current record
};

// Sets the context up with the settings above; the file opener defaults to
// the real file system. 0 on success.
int code4init(EngineContext &context);
// Releases what the context holds. 0.
int code4initUndo(EngineContext &context);

// Opens a table: name without an extension gets ".DBF"; the file's own name
// (not its folder) is upper-cased, as the files sit on the CD. Returns 0 and
// the table, or a negative code and no table.
int d4open(EngineContext &context, const char *name, std::unique_ptr<Table> &table);
// Closes the table with its index and memo files. 0.
int d4close(std::unique_ptr<Table> &table);

// A tag of the production index by name; nullptr when there is none.
IndexTag *d4tag(Table &table, const char *name);
void d4tagSelect(Table &table, IndexTag *tag);

// Seeks the selected tag for an entry beginning with key and reads its
// record: 0 when found, kSeekAfter / kSeekEof when not, negative when the
// index or the table is damaged (the table then has no current record).
int d4seek(Table &table, const char *key);
// The next entry with the same key after the current one; a seek from the
// start when the current record does not carry the key. Codes as d4seek.
int d4seekNext(Table &table, const char *key);

// Nonzero when the current record is deleted (or there is none).
int d4deleted(const Table &table);
// Field j, counted from 1; nullptr when the table has fewer fields.
Field *d4fieldJ(Table &table, int j);
// The field's bytes in the current record over its full width,
// zero-terminated; valid until the next f4str on that field.
const char *f4str(Field &field);

} // namespace dbf
