#include "dbf/byte_source.h"

#include <cstdio>
#include <cstring>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dbf {
namespace {

#ifdef _WIN32
struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};

int SeekTo(std::FILE *file, uint64_t offset) {
    return _fseeki64(file, static_cast<long long>(offset), SEEK_SET);
}

class StdioSource : public ByteSource {
public:
    StdioSource(std::FILE *file, uint64_t size) : file_(file), size_(size) {}

    uint64_t Size() const override { return size_; }

    size_t ReadAt(uint64_t offset, void *buffer, size_t count) override {
        if (offset >= size_ || count == 0)
            return 0;
        if (SeekTo(file_.get(), offset) != 0)
            return 0;
        return std::fread(buffer, 1, count, file_.get());
    }

private:
    std::unique_ptr<std::FILE, FileCloser> file_;
    uint64_t size_;
};
#else
// One positioned read per call, and no second buffer in between.
class PosixFileSource : public ByteSource {
public:
    PosixFileSource(int fd, uint64_t size) : fd_(fd), size_(size) {}
    ~PosixFileSource() override { close(fd_); }
    PosixFileSource(const PosixFileSource &) = delete;
    PosixFileSource &operator=(const PosixFileSource &) = delete;

    uint64_t Size() const override { return size_; }

    size_t ReadAt(uint64_t offset, void *buffer, size_t count) override {
        size_t done = 0;
        while (done < count && offset + done < size_) {
            const ssize_t n = pread(fd_, static_cast<char *>(buffer) + done, count - done,
                                    static_cast<off_t>(offset + done));
            if (n <= 0)
                break;
            done += static_cast<size_t>(n);
        }
        return done;
    }

private:
    int fd_;
    uint64_t size_;
};
#endif

class MemoryBytes : public ByteSource {
public:
    explicit MemoryBytes(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    uint64_t Size() const override { return bytes_.size(); }

    size_t ReadAt(uint64_t offset, void *buffer, size_t count) override {
        if (offset >= bytes_.size())
            return 0;
        const size_t available = bytes_.size() - static_cast<size_t>(offset);
        const size_t n = count < available ? count : available;
        if (n > 0)
            std::memcpy(buffer, bytes_.data() + offset, n);
        return n;
    }

private:
    std::vector<uint8_t> bytes_;
};

} // namespace

std::unique_ptr<ByteSource> OpenReadOnlyFile(const std::string &path) {
#ifdef _WIN32
    // The C run-time opens without sharing restrictions, which is what a
    // table on a CD that another program may also read needs.
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return nullptr;
    // Every read is a positioned block read; stdio's own buffer would only
    // double the copying.
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    if (_fseeki64(file.get(), 0, SEEK_END) != 0)
        return nullptr;
    const long long end = _ftelli64(file.get());
    if (end < 0)
        return nullptr;
    return std::make_unique<StdioSource>(file.release(), static_cast<uint64_t>(end));
#else
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat status;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<PosixFileSource>(fd, static_cast<uint64_t>(status.st_size));
#endif
}

std::unique_ptr<ByteSource> MemorySource(std::vector<uint8_t> bytes) {
    return std::make_unique<MemoryBytes>(std::move(bytes));
}

} // namespace dbf
