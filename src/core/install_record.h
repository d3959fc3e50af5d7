#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The install record: a text file in the install directory to which setup
// appends one line for each thing it creates, so that the uninstaller can
// remove exactly those. Each line is written whole before setup goes on
// (and forced to the disk at least once a second), so an installation that
// stops half way still leaves an exact record of what it did.
//
// Format (code page 1252 bytes, lines ended by CR LF, fields by TAB):
//   SETUPREC<TAB>1                      first line: the format version
//   LANG<TAB>index                      language of the run, 0 French .. 5 American
//   DIR<TAB>path                        a folder setup created
//   FILE<TAB>size<TAB>time<TAB>path     a file setup copied or kept; size in
//                                       bytes, time the last write time in
//                                       100 ns units since 1601, decimal
//   LINK<TAB>path<TAB>target            a shortcut setup created
//   GROUP<TAB>path                      a program group (Start menu folder)
//   REGKEY<TAB>root<TAB>subkey          a registry key setup created
//   REGVAL<TAB>root<TAB>subkey<TAB>name a value setup created ("" the default)
//   AUTOEXEC<TAB>batch<TAB>directory    the two lines appended to a batch file
//   FONT<TAB>path                       a font setup registered (it stays)
//   INSTDIR<TAB>path                    the install directory, ending in a
//                                       backslash (the uninstaller's copy of
//                                       the record lies elsewhere)
// root is HKCR, HKCU, HKLM, HKU or HKCC. A line without its line end (a
// power cut while it was written) and a line of an unknown kind are skipped
// on reading.
extern const char kInstallRecordName[];

enum class RecordKind {
    Language,
    Folder,
    File,
    Link,
    Group,
    RegistryKey,
    RegistryValue,
    Autoexec,
    Font,
    InstallDir
};

struct RecordEntry {
    RecordKind kind = RecordKind::File;
    std::string path;   // file, folder, link, group, batch file, font; the subkey
    std::string second; // link target, value name, directory of the PATH line
    std::string root;   // registry root
    std::uint64_t size = 0;
    std::uint64_t time = 0;
    int language = 0;
};

// The first line of every record.
std::string RecordHeaderLine();
// One line, CR LF included; "" for an entry a field of which holds a TAB or
// a line end (it could not be read back as written).
std::string FormatRecordLine(const RecordEntry &entry);

struct ParsedRecord {
    bool valid = false;               // the header line was there
    std::vector<RecordEntry> entries; // in the order they were written
};
ParsedRecord ParseRecord(const std::string &text);

// Where the run's record goes. Setup's run owns the one writer; the folders
// that create things append to it through RecordInstalled, which does
// nothing while no run records (the pre-pass, the tools, the tests).
class InstallRecorder {
public:
    virtual ~InstallRecorder() = default;
    virtual void Add(const RecordEntry &entry) = 0;
    // Every line recorded so far, header included, as the file holds them.
    virtual std::string Text() const = 0;
};

// The install directory a record names in its INSTDIR line; "" without one.
std::string RecordedInstallDir(const ParsedRecord &record);

void SetInstallRecorder(InstallRecorder *recorder);
bool Recording();
void RecordInstalled(const RecordEntry &entry);
// The running record's lines; "" while no run records.
std::string RecordedText();
