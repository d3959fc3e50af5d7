// mkcatalog: builds a message catalog table (.DBF) and its production index
// (.MDX, tag RC_CLE1) from the UTF-8 text form described in README.md.

#include "catalog_source.h"
#include "catalog_writer.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: mkcatalog [--date YYYY-MM-DD] [--text-width N] SOURCE.txt TABLE.DBF\n"
                 "Writes TABLE.DBF and TABLE.MDX (code page 437, tag RC_CLE1).\n");
    return 2;
}

bool ParseDate(const char *text, catalog::Date &date) {
    int y = 0, m = 0, d = 0;
    char tail = 0;
    if (std::sscanf(text, "%4d-%2d-%2d%c", &y, &m, &d, &tail) != 3)
        return false;
    if (y < 1900 || y > 2155 || m < 1 || m > 12 || d < 1 || d > 31)
        return false;
    date = {y, m, d};
    return true;
}

// Today, or the day of SOURCE_DATE_EPOCH so that builds can be reproduced.
catalog::Date DefaultDate() {
    std::time_t now = std::time(nullptr);
    if (const char *epoch = std::getenv("SOURCE_DATE_EPOCH")) {
        now = static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10));
    }
    std::tm parts{};
#ifdef _WIN32
    gmtime_s(&parts, &now);
#else
    gmtime_r(&now, &parts);
#endif
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday};
}

} // namespace

int main(int argc, char **argv) {
    catalog::CatalogOptions options;
    options.date = DefaultDate();
    int i = 1;
    for (; i < argc && std::strncmp(argv[i], "--", 2) == 0; ++i) {
        if (std::strcmp(argv[i], "--date") == 0 && i + 1 < argc) {
            if (!ParseDate(argv[++i], options.date))
                return Usage();
        } else if (std::strcmp(argv[i], "--text-width") == 0 && i + 1 < argc) {
            const long width = std::strtol(argv[++i], nullptr, 10);
            if (width < 1 || width > 65000)
                return Usage();
            options.textWidth = static_cast<uint32_t>(width);
        } else {
            return Usage();
        }
    }
    if (argc - i != 2)
        return Usage();
    const std::string sourcePath = argv[i];
    std::string tablePath = argv[i + 1];

    // TABLE.DBF gives TABLE.MDX beside it; the extension's case follows.
    const size_t nameStart = tablePath.find_last_of("/\\") + 1;
    size_t dot = tablePath.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart) {
        tablePath += ".DBF";
        dot = tablePath.size() - 4;
    }
    const bool lower =
        tablePath.size() > dot + 1 && tablePath[dot + 1] >= 'a' && tablePath[dot + 1] <= 'z';
    const std::string indexPath = tablePath.substr(0, dot) + (lower ? ".mdx" : ".MDX");
    options.baseName = tablePath.substr(nameStart, dot - nameStart);

    std::vector<uint8_t> sourceBytes;
    if (!catalog::ReadBytes(sourcePath, sourceBytes)) {
        std::fprintf(stderr, "mkcatalog: cannot read %s\n", sourcePath.c_str());
        return 1;
    }
    std::vector<catalog::CatalogRow> rows;
    std::string error;
    if (!catalog::ParseCatalogSource(std::string(sourceBytes.begin(), sourceBytes.end()), rows,
                                     error)) {
        std::fprintf(stderr, "%s: %s\n", sourcePath.c_str(), error.c_str());
        return 1;
    }
    catalog::CatalogFiles files;
    if (!catalog::BuildCatalog(rows, options, files, error)) {
        std::fprintf(stderr, "%s: %s\n", sourcePath.c_str(), error.c_str());
        return 1;
    }
    for (const std::string &warning : files.warnings) {
        std::fprintf(stderr, "%s: warning: %s\n", sourcePath.c_str(), warning.c_str());
    }
    if (!catalog::WriteBytes(tablePath, files.table) ||
        !catalog::WriteBytes(indexPath, files.index)) {
        std::fprintf(stderr, "mkcatalog: cannot write %s / %s\n", tablePath.c_str(),
                     indexPath.c_str());
        return 1;
    }
    return 0;
}
