#include "messages/catalog.h"

#include "core/app_state.h"
#include "messages/language.h"

namespace {

CatalogState &State() {
    return App().catalog;
}

// The index that makes the table reader lead keys with the field letter of
// the current language (D gives G, "?" and unknown letters give F).
int CurrentTableLanguage() {
    return CatalogLetterIndex(CatalogFieldLetter(App().languageLetter));
}

// Opens a table for good, after a trial through a temporary handle. A table
// that fails either open makes the catalog unavailable for the rest of the
// run.
bool OpenForRun(const std::string &name, CatalogTable &handle) {
    CatalogState &state = State();
    CatalogTable trial;
    if (OpenCatalogTable(state.engine, name.c_str(), CurrentTableLanguage(), trial) != kCatalogOk) {
        App().languageLetter = '?';
        return false;
    }
    CloseCatalogTable(state.engine, trial);
    if (OpenCatalogTable(state.engine, name.c_str(), CurrentTableLanguage(), handle) !=
        kCatalogOk) {
        App().languageLetter = '?';
        return false;
    }
    return true;
}

// Looks name up in one table into the shared buffer; a table that is not
// open is opened for this lookup alone. Empty when there is no text.
std::string Lookup(const std::string &tableName, CatalogTable &handle, const char *name) {
    CatalogState &state = State();
    state.text[0] = '\0';
    const CatalogRequest request{state.part1.c_str(), state.part2.c_str(), name ? name : "",
                                 sizeof state.text, state.text};
    if (handle.table) {
        FindCatalogText(state.engine, handle, request);
    } else {
        CatalogTable once;
        if (OpenCatalogTable(state.engine, tableName.c_str(), CurrentTableLanguage(), once) ==
            kCatalogOk) {
            FindCatalogText(state.engine, once, request);
            CloseCatalogTable(state.engine, once);
        }
    }
    return state.text;
}

} // namespace

bool OpenCatalog(const char *scriptTable, const char *setupTable, const char *keyPart1,
                 const char *keyPart2) {
    CatalogState &state = State();
    state.scriptName = scriptTable ? scriptTable : "";
    state.setupName = setupTable ? setupTable : "";
    state.part1 = keyPart1 ? keyPart1 : "";
    state.part2 = keyPart2 ? keyPart2 : "";
    // The reader reports through its result codes only; nothing to switch off.
    OpenForRun(state.setupName, state.setup);
    return OpenForRun(state.scriptName, state.script);
}

void CloseCatalog() {
    CatalogState &state = State();
    if (state.setup.table)
        CloseCatalogTable(state.engine, state.setup);
    if (state.script.table)
        CloseCatalogTable(state.engine, state.script);
}

bool CatalogAvailable() {
    // Before the CD's language is settled (NUL) nothing asks the catalog.
    const char letter = App().languageLetter;
    return letter != '?' && letter != '\0';
}

std::string SetupText(const char *name) {
    return Lookup(State().setupName, State().setup, name);
}

std::string ScriptText(const char *name) {
    return Lookup(State().scriptName, State().script, name);
}
