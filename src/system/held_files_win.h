#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct RunState;

// The files setup is about to start, load or have registered. On the NT
// family a program in the install folder, which every user may change, is
// used only when this run wrote it and it still holds the CD's bytes; it is
// then held open (others may read and run it, none may change, rename or
// delete it) until the object goes, so that what was checked is what runs.
// Outside the install folder, and on the Windows 95 family, every file may
// be used, as always.
class HeldFiles {
public:
    explicit HeldFiles(const RunState &run) : run_(run) {}
    ~HeldFiles();
    HeldFiles(const HeldFiles &) = delete;
    HeldFiles &operator=(const HeldFiles &) = delete;

    // True when the file may be used (and is held). False, after a line of
    // the log and a mark on the run's outcome, when it may not.
    bool Hold(const std::string &path);

private:
    bool SameAsSource(HANDLE file, const std::string &source) const;
    const RunState &run_;
    std::vector<HANDLE> held_;
};
