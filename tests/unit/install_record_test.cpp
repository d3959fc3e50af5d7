// The install record: what setup writes is what the uninstaller reads back,
// and a record cut short by a power cut is read up to its last whole line.

#include "core/install_record.h"

#include <gtest/gtest.h>

namespace {

RecordEntry Entry(RecordKind kind, std::string path, std::string second = "",
                  std::string root = "") {
    RecordEntry entry;
    entry.kind = kind;
    entry.path = std::move(path);
    entry.second = std::move(second);
    entry.root = std::move(root);
    return entry;
}

std::string Record(const std::vector<RecordEntry> &entries) {
    std::string text = RecordHeaderLine();
    for (const RecordEntry &entry : entries)
        text += FormatRecordLine(entry);
    return text;
}

} // namespace

TEST(InstallRecord, EveryKindReadsBackAsWritten) {
    RecordEntry file = Entry(RecordKind::File, "C:\\Demo Title\\GAME.EXE");
    file.size = 5000000000ull; // beyond 32 bits
    file.time = 132000000000000000ull;
    RecordEntry language = Entry(RecordKind::Language, "");
    language.language = 5;
    const std::vector<RecordEntry> written = {
        language,
        Entry(RecordKind::Folder, "C:\\Demo Title"),
        file,
        Entry(RecordKind::Link, "C:\\Menu\\Demo.lnk", "C:\\Demo Title\\GAME.EXE"),
        Entry(RecordKind::Group, "C:\\Menu\\Demo"),
        Entry(RecordKind::RegistryKey, "Software\\Demo", "", "HKLM"),
        Entry(RecordKind::RegistryValue, "Software\\Demo", "", "HKCU"), // the default value
        Entry(RecordKind::Autoexec, "C:\\AUTOEXEC.BAT", "C:\\Demo Title\\"),
        Entry(RecordKind::Font, "C:\\WINDOWS\\FONTS\\DEMO.TTF"),
    };
    const ParsedRecord read = ParseRecord(Record(written));
    ASSERT_TRUE(read.valid);
    ASSERT_EQ(read.entries.size(), written.size());
    for (std::size_t i = 0; i < written.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(read.entries[i].kind, written[i].kind);
        EXPECT_EQ(read.entries[i].path, written[i].path);
        EXPECT_EQ(read.entries[i].second, written[i].second);
        EXPECT_EQ(read.entries[i].root, written[i].root);
        EXPECT_EQ(read.entries[i].size, written[i].size);
        EXPECT_EQ(read.entries[i].time, written[i].time);
        EXPECT_EQ(read.entries[i].language, written[i].language);
    }
}

TEST(InstallRecord, ALineCutShortIsIgnoredAndTheRestKept) {
    const std::string whole =
        Record({Entry(RecordKind::Folder, "C:\\A"), Entry(RecordKind::Folder, "C:\\B")});
    // Every cut inside the last line loses that line only.
    const std::string upToB = whole.substr(0, whole.find("DIR\tC:\\B"));
    for (std::size_t cut = upToB.size(); cut < whole.size(); ++cut) {
        const ParsedRecord read = ParseRecord(whole.substr(0, cut));
        ASSERT_EQ(read.entries.size(), 1u) << cut;
        EXPECT_EQ(read.entries[0].path, "C:\\A");
    }
    EXPECT_EQ(ParseRecord(whole).entries.size(), 2u);
}

TEST(InstallRecord, ForeignOrDamagedTextYieldsNothingToRemove) {
    EXPECT_FALSE(ParseRecord("").valid);
    EXPECT_FALSE(ParseRecord("[general]\r\nDIR\tC:\\A\r\n").valid);
    EXPECT_TRUE(ParseRecord("[general]\r\nDIR\tC:\\A\r\n").entries.empty());
    // Unknown kinds, missing fields and bad numbers are skipped, not guessed.
    const ParsedRecord read =
        ParseRecord(RecordHeaderLine() + "WHAT\tC:\\X\r\n"
                                         "FILE\t12\tC:\\X\r\n"
                                         "FILE\t1x\t2\tC:\\X\r\n"
                                         "FILE\t99999999999999999999999\t2\tC:\\X\r\n"
                                         "DIR\t\r\n"
                                         "LANG\t9\r\n"
                                         "REGKEY\tHKLM\r\n"
                                         "FILE\t3\t4\tC:\\OK\r\n");
    ASSERT_EQ(read.entries.size(), 1u);
    EXPECT_EQ(read.entries[0].path, "C:\\OK");
    EXPECT_EQ(read.entries[0].size, 3u);
}

TEST(InstallRecord, AFieldThatWouldBreakItsLineIsNotWritten) {
    EXPECT_EQ(FormatRecordLine(Entry(RecordKind::Folder, "C:\\A\r\nDIR\tC:\\")), "");
    EXPECT_EQ(FormatRecordLine(Entry(RecordKind::RegistryValue, "K", "a\tb", "HKLM")), "");
}

TEST(InstallRecord, AppendsGoToTheRecorderOnlyWhileOneIsSet) {
    struct Collect : InstallRecorder {
        std::vector<RecordEntry> got;
        std::string text;
        void Add(const RecordEntry &entry) override { got.push_back(entry); }
        std::string Text() const override { return text; }
    } collect;
    RecordInstalled(Entry(RecordKind::Folder, "C:\\Before"));
    SetInstallRecorder(&collect);
    EXPECT_TRUE(Recording());
    RecordInstalled(Entry(RecordKind::Folder, "C:\\During"));
    SetInstallRecorder(nullptr);
    RecordInstalled(Entry(RecordKind::Folder, "C:\\After"));
    EXPECT_FALSE(Recording());
    ASSERT_EQ(collect.got.size(), 1u);
    EXPECT_EQ(collect.got[0].path, "C:\\During");
}
