#pragma once

#include "core/install_record.h"

#include <string>

// The run's install record on disk: created afresh (a record of an earlier
// run, or whatever else bears its name, goes first, and the file is made
// new), every line written as it comes and forced to the disk at most once
// a second and at the end. While it lives it is the process's recorder. The
// install directory is often made by the script itself: until the file can
// be created, lines wait in memory. The file is held open, denying others
// any write, until the run ends: the uninstaller's own copy is read back
// through that handle, never by name from a folder others may write to.
class InstallRecordFile : public InstallRecorder {
public:
    InstallRecordFile(const std::string &path, const std::string &installDir);
    ~InstallRecordFile() override;
    InstallRecordFile(const InstallRecordFile &) = delete;
    InstallRecordFile &operator=(const InstallRecordFile &) = delete;

    bool Open() const { return handle_ != nullptr; }
    void Add(const RecordEntry &entry) override;
    std::string Text() const override;

private:
    bool TryOpen();
    void Write(const std::string &line);
    std::string path_;
    std::string pending_;
    void *handle_ = nullptr;
    unsigned long lastFlush_ = 0; // tick count of the last forced write
};

// The whole content of a record file ("" when it cannot be read); at most a
// few megabytes are read.
std::string ReadRecordFile(const std::string &path);

// A file now in place: its size and last write time go to the record.
void RecordInstalledFile(const std::string &path);
