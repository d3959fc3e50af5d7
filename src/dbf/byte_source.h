#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dbf {

// Read-only random access to one file. The table and index readers only ever
// read through this, so tests and the fuzzer can hand them bytes in memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t Size() const = 0;
    // Reads up to count bytes at offset; returns how many were read (fewer at
    // the end of the file, 0 past it).
    virtual size_t ReadAt(uint64_t offset, void *buffer, size_t count) = 0;

    bool ReadExact(uint64_t offset, void *buffer, size_t count) {
        return ReadAt(offset, buffer, count) == count;
    }
};

// Opens a file by its full name; nullptr when it cannot be opened for reading.
using FileOpener = std::function<std::unique_ptr<ByteSource>(const std::string &path)>;

// The real file system: opened for reading, other processes keep every right.
std::unique_ptr<ByteSource> OpenReadOnlyFile(const std::string &path);

// A copy of the given bytes.
std::unique_ptr<ByteSource> MemorySource(std::vector<uint8_t> bytes);

} // namespace dbf
