#pragma once

#include "core/limits.h"
#include "dbf/catalog_table.h"

#include <string>

// What the message catalog keeps for the whole run: the table engine, the
// two tables, the key parts every lookup uses and the one result buffer all
// lookups share (a text shows at most kMaxCatalogText of its bytes).
struct CatalogState {
    CatalogEngine engine;
    CatalogTable setup;  // SETUP.DBF: setup's own texts
    CatalogTable script; // SCRIPT.DBF: the product's texts
    std::string setupName = "SETUP.DBF";
    std::string scriptName = "SCRIPT.DBF";
    std::string part1 = "NAME";
    std::string part2 = "SECTION";
    char text[kMaxCatalogText + 1] = {};
};
