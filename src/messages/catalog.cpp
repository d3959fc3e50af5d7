#include "messages/catalog.h"

#include "app/app_state.h"

// No table reader yet: every catalog is unavailable and callers take the
// string table and .\setup.ini.
bool OpenCatalog(const char *, const char *, const char *, const char *) {
    App().languageLetter = '?';
    return false;
}

void CloseCatalog() {}

bool CatalogAvailable() { return App().languageLetter != '?'; }

std::string SetupText(const char *) { return {}; }
std::string ScriptText(const char *) { return {}; }
