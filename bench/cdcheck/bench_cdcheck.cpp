// Checks a generated CD: a script of --lines lines (most of them COPY lines
// over a few hundred files in nested folders, some MESSAGE lines) and a
// SCRIPT.DBF of --records records, and prints the median of --runs checks.
// The generated CD is clean: any finding fails the benchmark.
//   bench_cdcheck [--lines N] [--records N] [--runs N] [--dir SCRATCH]
#include "catalog_writer.h"
#include "checks.h"
#include "messages/file_errors.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>

namespace fs = std::filesystem;

namespace {

constexpr const char *kLetters = "FAGEIU";
constexpr int kFiles = 400;
constexpr int kMessages = 500;

void Write(const fs::path &path, const std::string &text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

catalog::CatalogRow Row(char letter, const std::string &name, const std::string &text) {
    catalog::CatalogRow row;
    row.letter = letter;
    row.name = name;
    row.text = text;
    return row;
}

bool WriteCatalog(const fs::path &cd, const std::string &base,
                  const std::vector<catalog::CatalogRow> &rows) {
    catalog::CatalogOptions options;
    options.baseName = base;
    catalog::CatalogFiles files;
    std::string error;
    if (!catalog::BuildCatalog(rows, options, files, error)) {
        std::cerr << error << '\n';
        return false;
    }
    return catalog::WriteBytes((cd / (base + ".DBF")).string(), files.table) &&
           catalog::WriteBytes((cd / (base + ".MDX")).string(), files.index);
}

// A blank 299 x 459 picture with a 256-colour palette.
std::string StartPicture() {
    const std::uint32_t pixelsAt = 14 + 40 + 1024;
    const std::uint32_t rowBytes = 300;
    std::string bmp(pixelsAt + rowBytes * 459, '\0');
    const auto put = [&](std::size_t at, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            bmp[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put(2, static_cast<std::uint32_t>(bmp.size()), 4);
    put(10, pixelsAt, 4);
    put(14, 40, 4);
    put(18, 299, 4);
    put(22, 459, 4);
    put(26, 1, 2);
    put(28, 8, 2);
    return bmp;
}

bool MakeCd(const fs::path &cd, int lines, int records) {
    fs::remove_all(cd);
    Write(cd / "PXD.INI", "[general]\r\nproduct=Bench\r\nsourcedirectory=DATA\r\n"
                          "installdirectory=\\Bench\r\nExec=BENCH.EXE\r\n"
                          "[configuration]\r\ndiskspacereq=2000\r\n");
    Write(cd / "BENCA100.CD1", "bench");
    Write(cd / "SETUP.BMP", StartPicture());
    for (int i = 0; i < kFiles; ++i) {
        Write(cd / "DATA" / ("DIR" + std::to_string(i % 20)) /
                  ("FILE" + std::to_string(i) + ".DAT"),
              std::string(static_cast<std::size_t>(100 + i), 'x'));
    }

    // MESSAGE numbers stay among the names the catalog holds.
    const int messages = std::max(1, std::min(kMessages, records / 6 - 2));
    std::string script = "; generated\r\nMKDIR *DESTDIR\r\nPROGRESS START\r\n";
    for (int i = 0; i < lines - 5; ++i) {
        const int file = i % kFiles;
        if (i % 10 == 9)
            script += "MESSAGE " + std::to_string(1 + i % messages) + " 0";
        else
            script += "COPY DIR" + std::to_string(file % 20) + "\\FILE" + std::to_string(file) +
                      ".DAT *DESTDIR";
        script += "\r\n";
    }
    Write(cd / "SETUP.INF", script + "PROGRESS END\r\nALLDONE\r\n");

    std::vector<catalog::CatalogRow> setupRows;
    for (const char *name :
         {"VERSION", "LIBRE", "GO", "MO", "2GO", "NO_DISK_DISPO", "INSTALL", "BTN_INSTALL",
          "BTN_QUIT", "CURRENT", "TOTAL", "BAD_SYSTEM_YEAR", "BTN_YES", "BTN_NO", "END_INSTALL"})
        setupRows.push_back(Row('!', name, name));
    for (int cause = kFileErrorNone; cause <= kFileErrorEndOfFile; ++cause)
        setupRows.push_back(Row('!', FileErrorMessageName(cause), "file error"));

    // Six languages a name: records / 6 names, MESSAGE1.. among them.
    std::vector<catalog::CatalogRow> scriptRows;
    for (int i = 0; static_cast<int>(scriptRows.size()) < records; ++i) {
        const std::string name =
            i < 2 ? (i ? "BONJOUR2" : "BONJOUR") : "MESSAGE" + std::to_string(i - 1);
        for (int l = 0; l < 6 && static_cast<int>(scriptRows.size()) < records; ++l)
            scriptRows.push_back(Row(kLetters[l], name, "Text of " + name));
    }
    return WriteCatalog(cd, "SETUP", setupRows) && WriteCatalog(cd, "SCRIPT", scriptRows);
}

} // namespace

int main(int argc, char **argv) {
    int lines = 100000;
    int records = 100000;
    int runs = 5;
    fs::path dir = fs::temp_directory_path() / "bench_cdcheck";
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--lines") == 0)
            lines = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--records") == 0)
            records = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(1, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--dir") == 0)
            dir = argv[i + 1];
    }
    const fs::path cd = dir / "cd";
    if (!MakeCd(cd, lines, records))
        return 1;

    std::vector<double> times;
    std::size_t found = 0;
    for (int i = 0; i < runs; ++i) {
        Findings findings;
        const auto start = std::chrono::steady_clock::now();
        CheckCd(CdFolder(cd), findings);
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double>(end - start).count());
        found = findings.All().size();
        if (found) {
            PrintText(findings, cd.string(), std::cerr);
            return 1;
        }
    }
    std::sort(times.begin(), times.end());
    std::printf("%d script lines, %d catalog records: median %.1f ms, best %.1f ms\n", lines,
                records, times[times.size() / 2] * 1000, times.front() * 1000);
    fs::remove_all(cd);
    return 0;
}
