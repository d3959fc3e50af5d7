#pragma once

#include <string>

// The message catalog: SETUP.DBF (setup's own texts) and SCRIPT.DBF (the
// product's texts) on the CD, looked up by message name in the current
// language with a language-neutral "!" fallback. Once a table fails to open
// the catalog is unavailable for the rest of the run and texts come from the
// string table and .\setup.ini instead.

// Opens both tables; returns whether the script table opened.
bool OpenCatalog(const char *scriptTable, const char *setupTable, const char *keyPart1,
                 const char *keyPart2);
void CloseCatalog();

// True once the CD's language is settled, unless a table failed to open
// (language letter "?").
bool CatalogAvailable();

// Text of a name in SETUP.DBF / SCRIPT.DBF; empty when not found.
std::string SetupText(const char *name);
std::string ScriptText(const char *name);
