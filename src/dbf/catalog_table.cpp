#include "dbf/catalog_table.h"

#include "dbf/oem437.h"

#include <cstring>
#include <new>

namespace {

constexpr char kTagName[] = "RC_CLE1";
constexpr char kKeyLetters[] = "FGAEIUDKHJQP"; // by language index, F for the rest
constexpr int kTextField = 5;

// Copies text into a blank-padded column, cutting what does not fit.
void PutColumn(char *column, size_t width, const char *text) {
    size_t n = 0;
    if (text != nullptr) {
        for (; n < width && text[n] != '\0'; ++n)
            column[n] = text[n];
    }
    for (; n < width; ++n)
        column[n] = ' ';
}

void DropEngineIfUnused(CatalogEngine &engine) {
    if (engine.catalogOpenCount > 0 || !engine.context)
        return;
    dbf::code4initUndo(*engine.context);
    engine.context.reset();
}

// Seeks key and skips deleted records with the same key; true when a live
// record is current.
bool SeekLive(dbf::Table &table, const char *key) {
    if (dbf::d4seek(table, key) != dbf::kOk)
        return false;
    while (dbf::d4deleted(table)) {
        if (dbf::d4seekNext(table, key) != dbf::kOk)
            return false;
    }
    return true;
}

} // namespace

CatalogEngine::CatalogEngine() : open(dbf::OpenReadOnlyFile), oemToAnsi(dbf::Oem437ToAnsi1252) {}

char CatalogKeyLetter(int languageIndex) {
    return (languageIndex >= 1 && languageIndex <= 11) ? kKeyLetters[languageIndex] : 'F';
}

int CatalogLetterIndex(char keyLetter) {
    for (int i = 1; i <= 11; ++i) {
        if (kKeyLetters[i] == keyLetter)
            return i;
    }
    return 0;
}

void BuildCatalogKey(char letter, const char *part1, const char *part2, const char *messageId,
                     char (&out)[kCatalogKeyLength + 1]) {
    out[0] = letter;
    PutColumn(out + 1, 8, part1);
    PutColumn(out + 9, 8, part2);
    PutColumn(out + 17, kCatalogNameLength, messageId);
    out[kCatalogKeyLength] = '\0';
    for (size_t i = 0; i < kCatalogKeyLength; ++i) {
        if (out[i] >= 'a' && out[i] <= 'z')
            out[i] = static_cast<char>(out[i] - 'a' + 'A');
    }
}

int OpenCatalogTable(CatalogEngine &engine, const char *fileName, int languageIndex,
                     CatalogTable &handle) {
    // A handle reopened without a close would leave a table counted as open
    // for ever; close it first so the count stays true.
    if (handle.table)
        CloseCatalogTable(engine, handle);
    handle.keyLetter = CatalogKeyLetter(languageIndex);

    if (engine.catalogOpenCount == 0 || !engine.context) {
        engine.context.reset(new (std::nothrow) dbf::EngineContext());
        if (!engine.context || dbf::code4init(*engine.context) != dbf::kOk) {
            engine.context.reset();
            return kCatalogEngineFailed;
        }
        if (engine.open)
            engine.context->open = engine.open;
    }

    std::unique_ptr<dbf::Table> table;
    const int rc = dbf::d4open(*engine.context, fileName, table);
    if (rc != dbf::kOk) {
        DropEngineIfUnused(engine);
        return rc;
    }
    dbf::IndexTag *tag = dbf::d4tag(*table, kTagName);
    // A key narrower than the search key would match on its first columns
    // only and answer with another message's text.
    if (tag == nullptr || tag->KeyLength() < kCatalogKeyLength) {
        dbf::d4close(table);
        DropEngineIfUnused(engine);
        return dbf::kErrTag;
    }
    dbf::d4tagSelect(*table, tag);
    handle.table = std::move(table);
    ++engine.catalogOpenCount;
    return kCatalogOk;
}

int FindCatalogText(CatalogEngine &engine, CatalogTable &handle, const CatalogRequest &request) {
    if (!handle.table)
        return kCatalogNotFound;
    dbf::Table &table = *handle.table;

    char key[kCatalogKeyLength + 1];
    BuildCatalogKey(handle.keyLetter, request.part1, request.part2, request.messageId, key);
    if (!SeekLive(table, key)) {
        key[0] = '!'; // the row that serves every language
        if (!SeekLive(table, key))
            return kCatalogNotFound;
    }

    dbf::Field *field = dbf::d4fieldJ(table, kTextField);
    if (field == nullptr || request.output == nullptr || request.capacity == 0) {
        return kCatalogNotFound;
    }
    const char *text = dbf::f4str(*field);
    size_t length = std::strlen(text);
    while (length > 0 && text[length - 1] == ' ')
        --length;
    if (length > request.capacity - 1)
        length = request.capacity - 1;
    std::memcpy(request.output, text, length);
    request.output[length] = '\0';
    if (length > 0 && engine.oemToAnsi)
        engine.oemToAnsi(request.output);
    return kCatalogOk;
}

int CloseCatalogTable(CatalogEngine &engine, CatalogTable &handle) {
    if (!handle.table)
        return kCatalogNotOpen;
    dbf::d4close(handle.table);
    if (engine.catalogOpenCount > 0)
        --engine.catalogOpenCount;
    DropEngineIfUnused(engine);
    return kCatalogOk;
}
