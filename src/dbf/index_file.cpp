#include "dbf/index_file.h"

#include "dbf/table_file.h"

#include <algorithm>
#include <cstring>

namespace dbf {
namespace {

constexpr uint32_t kPageBytes = 512;
constexpr size_t kFileHeaderBytes = 48;
constexpr uint32_t kTagTableOffset = 544;
constexpr uint32_t kTagEntryBytes = 32;
constexpr uint32_t kMaxTags = 47; // 48 slots are announced, 47 fit before page 4
constexpr uint32_t kFirstNodePage = 4;
constexpr uint32_t kMaxPagesPerBlock = 32;
constexpr size_t kTagHeaderBytes = 24;
// Far deeper than any real index (a million keys need five levels); a path
// longer than this means a cycle.
constexpr size_t kMaxDepth = 16;
// Interior nodes kept in memory: the upper levels of a tree of a few hundred
// thousand keys.
constexpr size_t kKeptBytes = 256 * 1024;

std::string UpperTrimmed(const char *text, size_t limit) {
    size_t n = 0;
    while (n < limit && text[n] != '\0')
        ++n;
    while (n > 0 && text[n - 1] == ' ')
        --n;
    std::string out(text, n);
    for (char &c : out) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

} // namespace

IndexFile::~IndexFile() = default;

int IndexFile::Open(std::unique_ptr<ByteSource> source, std::unique_ptr<IndexFile> &index) {
    uint8_t header[kFileHeaderBytes];
    if (!source->ReadExact(0, header, sizeof header))
        return kErrIndex;
    const uint32_t pagesPerBlock = ReadU16(header + 20);
    const uint32_t tagCount = ReadU16(header + 28);
    if (pagesPerBlock == 0 || pagesPerBlock > kMaxPagesPerBlock)
        return kErrIndex;
    if (tagCount > kMaxTags)
        return kErrIndex;

    auto file = std::unique_ptr<IndexFile>(new IndexFile());
    file->blockBytes_ = pagesPerBlock * kPageBytes;
    for (uint32_t i = 0; i < tagCount; ++i) {
        uint8_t entry[kTagEntryBytes];
        if (!source->ReadExact(kTagTableOffset + i * kTagEntryBytes, entry, sizeof entry)) {
            return kErrIndex;
        }
        TagEntry tag;
        tag.headerPage = ReadU32(entry);
        tag.name = UpperTrimmed(reinterpret_cast<const char *>(entry + 4), 11);
        file->tags_.push_back(std::move(tag));
    }
    file->source_ = std::move(source);
    index = std::move(file);
    return kOk;
}

std::vector<std::string> IndexFile::TagNames() const {
    std::vector<std::string> names;
    for (const TagEntry &tag : tags_)
        names.push_back(tag.name);
    return names;
}

uint64_t IndexFile::NodeBudget() const {
    return source_->Size() / blockBytes_ + kMaxDepth + 1;
}

bool IndexFile::ReadNode(uint32_t page, std::vector<uint8_t> &buffer) {
    if (page < kFirstNodePage)
        return false;
    ++nodesVisited_;
    const auto kept = kept_.find(page);
    if (kept != kept_.end()) {
        buffer = kept->second;
        return true;
    }
    buffer.resize(blockBytes_);
    ++nodesRead_;
    return source_->ReadExact(uint64_t{page} * kPageBytes, buffer.data(), blockBytes_);
}

void IndexFile::KeepNode(uint32_t page, const std::vector<uint8_t> &node) {
    if ((kept_.size() + 1) * blockBytes_ > kKeptBytes || kept_.count(page) != 0)
        return;
    kept_.emplace(page, node);
}

IndexTag *IndexFile::Tag(const std::string &name) {
    const std::string wanted = UpperTrimmed(name.c_str(), name.size());
    for (TagEntry &entry : tags_) {
        if (entry.name != wanted)
            continue;
        if (entry.tag)
            return entry.tag.get();

        uint8_t h[kTagHeaderBytes];
        if (entry.headerPage < kFirstNodePage ||
            !source_->ReadExact(uint64_t{entry.headerPage} * kPageBytes, h, sizeof h)) {
            return nullptr;
        }
        const uint32_t root = ReadU32(h);
        const uint8_t flags = h[8];
        const char keyType = static_cast<char>(h[9]);
        const uint32_t keyLength = ReadU16(h + 12);
        const uint32_t maxKeys = ReadU16(h + 14);
        const uint32_t itemLength = ReadU16(h + 18);
        // Only what a text catalog needs: an ascending character key, items
        // laid out as the key length says, and nodes that hold their keys
        // plus the trailing child pointer.
        if (keyType != 'C' || (flags & 0x08) != 0)
            return nullptr;
        if (keyLength == 0 || itemLength % 4 != 0 || itemLength < keyLength + 4)
            return nullptr;
        if (blockBytes_ < 12 + itemLength || maxKeys > (blockBytes_ - 12) / itemLength) {
            return nullptr;
        }
        entry.tag = std::make_unique<IndexTag>(*this, root, keyLength, itemLength, maxKeys);
        return entry.tag.get();
    }
    return nullptr;
}

IndexTag::IndexTag(IndexFile &file, uint32_t root, uint32_t keyLength, uint32_t itemLength,
                   uint32_t maxKeys)
    : file_(file), root_(root), keyLength_(keyLength), itemLength_(itemLength), maxKeys_(maxKeys),
      levels_(kMaxDepth) {}

bool IndexTag::Push(uint32_t page) {
    if (depth_ >= levels_.size() || budget_ == 0)
        return false;
    --budget_;
    Level &level = levels_[depth_];
    if (!file_.ReadNode(page, level.node))
        return false;
    level.page = page;
    level.count = ReadU32(level.node.data());
    if (level.count > maxKeys_)
        return false;
    level.leaf = ReadU32(level.node.data() + 8 + level.count * itemLength_) == 0;
    if (!level.leaf)
        file_.KeepNode(page, level.node);
    level.slot = 0;
    ++depth_;
    return true;
}

const uint8_t *IndexTag::KeyAt(const Level &level, uint32_t slot) const {
    return level.node.data() + 12 + slot * itemLength_;
}

uint32_t IndexTag::PointerAt(const Level &level, uint32_t slot) const {
    return ReadU32(level.node.data() + 8 + slot * itemLength_);
}

// Child slot of an interior node: the item pointers, then the rightmost
// child in the word after the last item.
uint32_t IndexTag::Child(const Level &level, uint32_t slot) const {
    return PointerAt(level, slot);
}

int IndexTag::DescendLeftmost(uint32_t page) {
    for (;;) {
        if (!Push(page))
            return kErrIndex;
        const Level &level = levels_[depth_ - 1];
        if (level.leaf)
            return kOk;
        page = Child(level, 0);
    }
}

int IndexTag::AdvanceLeaf() {
    for (;;) {
        --depth_; // leave the exhausted leaf (or an interior node with no child left)
        if (depth_ == 0)
            return kSeekEof;
        Level &parent = levels_[depth_ - 1];
        if (parent.slot >= parent.count)
            continue;
        ++parent.slot;
        const int rc = DescendLeftmost(Child(parent, parent.slot));
        if (rc != kOk)
            return rc;
        if (levels_[depth_ - 1].count > 0)
            return kOk;
    }
}

int IndexTag::Current(uint32_t &record) {
    record = PointerAt(levels_[depth_ - 1], levels_[depth_ - 1].slot);
    return kOk;
}

const uint8_t *IndexTag::CurrentKey() const {
    const Level &leaf = levels_[depth_ - 1];
    return KeyAt(leaf, leaf.slot);
}

int IndexTag::Seek(const char *key, size_t length, uint32_t &record) {
    positioned_ = false;
    depth_ = 0;
    budget_ = file_.NodeBudget();
    const size_t compared = std::min<size_t>(length, keyLength_);
    const auto below = [&](const Level &level, uint32_t slot) {
        return std::memcmp(KeyAt(level, slot), key, compared) < 0;
    };

    uint32_t page = root_;
    for (;;) {
        if (!Push(page))
            return kErrIndex;
        Level &level = levels_[depth_ - 1];
        // First slot whose key is not below the search key.
        uint32_t lo = 0, hi = level.count;
        while (lo < hi) {
            const uint32_t mid = lo + (hi - lo) / 2;
            if (below(level, mid)) {
                lo = mid + 1;
            } else {
                hi = mid;
            }
        }
        level.slot = lo;
        if (level.leaf)
            break;
        page = Child(level, lo);
    }
    // An interior key may exceed what its subtree still holds; the first
    // candidate then opens the next leaf.
    if (levels_[depth_ - 1].slot >= levels_[depth_ - 1].count) {
        const int rc = AdvanceLeaf();
        if (rc != kOk)
            return rc;
    }
    positioned_ = true;
    Current(record);
    return std::memcmp(CurrentKey(), key, compared) == 0 ? kOk : kSeekAfter;
}

int IndexTag::Next(uint32_t &record) {
    if (!positioned_)
        return kSeekEof;
    Level &leaf = levels_[depth_ - 1];
    if (++leaf.slot >= leaf.count) {
        positioned_ = false;
        const int rc = AdvanceLeaf();
        if (rc != kOk)
            return rc;
        positioned_ = true;
    }
    return Current(record);
}

int IndexTag::First(uint32_t &record) {
    positioned_ = false;
    depth_ = 0;
    budget_ = file_.NodeBudget();
    int rc = DescendLeftmost(root_);
    if (rc == kOk && levels_[depth_ - 1].count == 0)
        rc = AdvanceLeaf();
    if (rc != kOk)
        return rc;
    positioned_ = true;
    return Current(record);
}

} // namespace dbf
