#include "dbf/table_file.h"

#include <cstring>

namespace dbf {
namespace {

constexpr size_t kHeaderSize = 32;
constexpr size_t kDescriptorSize = 32;
constexpr uint8_t kFieldListEnd = 0x0D;
// The header's record length is 16 bits; a field list describing more than
// that cannot belong to a real table.
constexpr size_t kMaxRecordSize = 0xFFFF;

bool KnownFieldType(char type) {
    return type != '\0' && std::strchr("BCDFGLMN", type) != nullptr;
}

size_t BoundedLength(const uint8_t *text, size_t limit) {
    size_t n = 0;
    while (n < limit && text[n] != 0)
        ++n;
    return n;
}

} // namespace

bool TableFile::HasMemoFile() const {
    if (version_ == 0x30)
        return (flags_ & 0x02) != 0;
    return (version_ & 0x80) != 0;
}

int TableFile::Open(std::unique_ptr<ByteSource> source, std::unique_ptr<TableFile> &table) {
    uint8_t header[kHeaderSize];
    if (!source->ReadExact(0, header, sizeof header))
        return kErrRead;

    auto file = std::unique_ptr<TableFile>(new TableFile());
    file->version_ = header[0];
    file->recordCount_ = ReadU32(header + 4);
    file->headerLength_ = ReadU16(header + 8);
    file->recordLength_ = ReadU16(header + 10);
    file->flags_ = header[28];

    if (file->recordLength_ == 0 || file->headerLength_ <= kHeaderSize)
        return kErrData;
    // The count is a signed number to the format's own tools: the top bit
    // set reads as negative.
    if (file->recordCount_ > 0x7FFFFFFFu)
        return kErrData;
    // One record more than the file holds is tolerated (a writer that died
    // before the last record); reading that record later fails cleanly.
    const uint64_t size = source->Size();
    const uint64_t held =
        size > file->headerLength_ ? (size - file->headerLength_) / file->recordLength_ : 0;
    if (file->recordCount_ > held + 1)
        return kErrData;

    size_t recordSize = 1;
    for (uint32_t slot = kHeaderSize;; slot += kDescriptorSize) {
        // The list and its end mark lie inside the header.
        if (slot >= file->headerLength_)
            return kErrData;
        uint8_t first = 0;
        if (!source->ReadExact(slot, &first, 1))
            return kErrRead;
        if (first == kFieldListEnd)
            break;
        if (slot + kDescriptorSize > file->headerLength_)
            return kErrData;
        uint8_t d[kDescriptorSize];
        if (!source->ReadExact(slot, d, sizeof d))
            return kErrRead;

        FieldInfo field;
        field.name.assign(reinterpret_cast<const char *>(d), BoundedLength(d, 11));
        field.type = static_cast<char>(d[11]);
        if (!KnownFieldType(field.type))
            return kErrField;
        field.length = d[16];
        if (field.type == 'C')
            field.length += 256u * d[17];
        field.offset = static_cast<uint32_t>(recordSize);
        recordSize += field.length;
        if (recordSize > kMaxRecordSize)
            return kErrData;
        file->fields_.push_back(std::move(field));
    }
    file->recordSize_ = recordSize;
    file->source_ = std::move(source);
    table = std::move(file);
    return kOk;
}

bool TableFile::ReadRecord(uint32_t n, std::vector<char> &buffer) {
    if (n == 0 || n > recordCount_)
        return false;
    buffer.resize(recordSize_);
    const uint64_t offset = headerLength_ + uint64_t{n - 1} * recordLength_;
    // A short read must never hand back stale bytes as part of the record.
    if (!source_->ReadExact(offset, buffer.data(), recordSize_))
        return false;
    return true;
}

} // namespace dbf
