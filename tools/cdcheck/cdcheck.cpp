// cdcheck: checks a CD folder as setup will read it and prints what it
// finds, one diagnostic a line.
//   cdcheck [--werror] [--json] CD_DIR
// Exit 0 when clean, 1 with errors, 2 when it cannot run.
#include "checks.h"

#ifdef _WIN32
#include "platform/dll_search.h"
#endif

#include <cstring>
#include <exception>
#include <iostream>
#include <system_error>

namespace {

int Usage() {
    std::cerr << "usage: cdcheck [--werror] [--json] CD_DIR\n";
    return 2;
}

} // namespace

int main(int argc, char **argv) {
#ifdef _WIN32
    platform::SearchDllsInSystemFolderOnly();
#endif
    bool werror = false;
    bool json = false;
    const char *dir = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--werror") == 0) {
            werror = true;
        } else if (std::strcmp(argv[i], "--json") == 0) {
            json = true;
        } else if (argv[i][0] == '-' || dir) {
            return Usage();
        } else {
            dir = argv[i];
        }
    }
    if (!dir)
        return Usage();
    std::error_code error;
    if (!std::filesystem::is_directory(dir, error)) {
        std::cerr << "cdcheck: " << dir << ": not a folder\n";
        return 2;
    }

    Findings findings;
    try {
        CheckCd(CdFolder(dir), findings);
    } catch (const std::exception &e) {
        // A name the file system cannot give in this code page, memory.
        std::cerr << "cdcheck: " << dir << ": " << e.what() << '\n';
        return 2;
    }
    if (werror)
        findings.PromoteWarnings();
    if (json)
        PrintJson(findings, dir, std::cout);
    else
        PrintText(findings, dir, std::cout);
    std::cout.flush();
    if (!std::cout)
        return 2;
    return findings.Count(Severity::Error) > 0 ? 1 : 0;
}
