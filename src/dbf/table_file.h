#pragma once

#include "dbf/byte_source.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace dbf {

// Result codes of the engine. Failures are negative; a seek that finds no
// entry beginning with the key reports where it stopped (positive).
constexpr int kOk = 0;
constexpr int kSeekAfter = 2;     // positioned on a greater key: no match
constexpr int kSeekEof = 3;       // no entry at or after the key
constexpr int kErrOpen = -60;     // a file could not be opened
constexpr int kErrRead = -70;     // a file is shorter than its header says
constexpr int kErrData = -200;    // a table header or field list is malformed
constexpr int kErrField = -210;   // a field type the reader does not know
constexpr int kErrMemo = -340;    // the memo file the table calls for is missing
constexpr int kErrIndex = -310;   // the production index is missing or malformed
constexpr int kErrTag = -330;     // no such tag, or none selected
constexpr int kErrNoRecord = -90; // an index entry names a record the table lacks

struct FieldInfo {
    std::string name; // up to 10 characters
    char type = 'C';
    uint32_t length = 0;
    uint32_t offset = 0; // inside the record, after the deleted flag
};

// A dBASE table file (.DBF), read-only. Layout, little-endian:
//   0  version byte: bit 7 set means a memo file (.DBT) belongs to the table;
//      for version 0x30 bit 1 of byte 28 says so instead
//   4  record count (u32)     8  header length (u16)     10  record length (u16)
//  28  table flags: bit 0 means a production index (.MDX) belongs to the table
//  32  field descriptors of 32 bytes each, ended by 0x0D in the first byte of
//      a slot: name (11 bytes, NUL padded), type at 11, length at 16; for a
//      character field byte 17 adds 256 times itself to the length.
// Record n (from 1) starts at header length + (n - 1) * record length: one
// deleted-flag byte (blank: live) and the fields at their fixed widths.
class TableFile {
public:
    // Reads and checks the header and the field list; kOk or a negative code.
    static int Open(std::unique_ptr<ByteSource> source, std::unique_ptr<TableFile> &table);

    uint8_t Version() const { return version_; }
    bool HasProductionIndex() const { return (flags_ & 0x01) != 0; }
    bool HasMemoFile() const;
    uint32_t RecordCount() const { return recordCount_; }
    uint32_t HeaderLength() const { return headerLength_; }
    uint32_t RecordLength() const { return recordLength_; }
    const std::vector<FieldInfo> &Fields() const { return fields_; }
    // Bytes of a record as the fields describe it: the flag plus every field.
    size_t RecordSize() const { return recordSize_; }

    // Reads record n (from 1) into buffer (resized to RecordSize()); false
    // when n is out of range or the file ends inside the record.
    bool ReadRecord(uint32_t n, std::vector<char> &buffer);

private:
    std::unique_ptr<ByteSource> source_;
    uint8_t version_ = 0;
    uint8_t flags_ = 0;
    uint32_t recordCount_ = 0;
    uint32_t headerLength_ = 0;
    uint32_t recordLength_ = 0;
    size_t recordSize_ = 0;
    std::vector<FieldInfo> fields_;
};

// Little-endian reads from a byte buffer.
inline uint16_t ReadU16(const uint8_t *p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t ReadU32(const uint8_t *p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

} // namespace dbf
