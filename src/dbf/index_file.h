#pragma once

#include "dbf/byte_source.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace dbf {

class IndexTag;

// A dBASE IV multiple-index file (.MDX), read-only. Every position in it is a
// page number of 512 bytes; nodes and tag headers take one block of
// pagesPerBlock pages. Layout, little-endian:
//   file header   20  pages per block (u16)   28  tags in use (u16, at most 47)
//   tag table     at 544, 32 bytes a tag: header page (u32), name at 4
//                 (11 bytes, NUL terminated, upper case)
//   tag header    0 root page (u32), 8 key flags (0x08: descending), 9 key
//                 type, 12 key length (u16), 14 keys per node (u16), 18 item
//                 length (u16: key length + 4, rounded up to 4)
//   node          0 key count n (u32); item k at 8 + k * item length: a
//                 pointer (u32) then the key bytes; the u32 at 8 + n * item
//                 length is 0 in a leaf (whose pointers are record numbers)
//                 and the rightmost child's page in an interior node (whose
//                 pointers are child pages, key k being the largest key
//                 under child k).
class IndexFile {
public:
    static int Open(std::unique_ptr<ByteSource> source, std::unique_ptr<IndexFile> &index);
    ~IndexFile();

    // The tag of that name (compared upper-cased), checked and ready to seek;
    // nullptr when the file has no such tag or its header is unusable.
    IndexTag *Tag(const std::string &name);

    std::vector<std::string> TagNames() const;
    uint32_t BlockBytes() const { return blockBytes_; }
    // Nodes visited by seeks so far, and how many of those came from the
    // file rather than the cache; for measuring.
    uint64_t NodesVisited() const { return nodesVisited_; }
    uint64_t NodesRead() const { return nodesRead_; }
    // Most nodes one walk can need: every block of the file once, plus a path.
    uint64_t NodeBudget() const;

    // Reads the block at page into buffer; false when it does not lie wholly
    // inside the file or overlaps the file header and tag table.
    bool ReadNode(uint32_t page, std::vector<uint8_t> &buffer);
    // Keeps an interior node that every later seek through it would read
    // again; up to a fixed number of bytes, first come first kept.
    void KeepNode(uint32_t page, const std::vector<uint8_t> &node);

private:
    struct TagEntry {
        std::string name;
        uint32_t headerPage = 0;
        std::unique_ptr<IndexTag> tag; // opened on first use
    };

    std::unique_ptr<ByteSource> source_;
    uint32_t blockBytes_ = 1024;
    uint64_t nodesVisited_ = 0;
    uint64_t nodesRead_ = 0;
    std::vector<TagEntry> tags_;
    std::unordered_map<uint32_t, std::vector<uint8_t>> kept_;
};

// One tag of an index: a B-tree of character keys in ascending byte order,
// walked from the root for each seek (no scan of the table).
class IndexTag {
public:
    IndexTag(IndexFile &file, uint32_t root, uint32_t keyLength, uint32_t itemLength,
             uint32_t maxKeys);

    uint32_t KeyLength() const { return keyLength_; }

    // Positions on the first entry whose key is not less than the first
    // length bytes of key (only the first KeyLength() bytes count). kOk with
    // its record number when that entry begins with them, kSeekAfter when it
    // does not, kSeekEof when no entry is at or after them, kErrIndex when the
    // tree is corrupt.
    int Seek(const char *key, size_t length, uint32_t &record);
    // Moves to the next entry in key order: kOk, kSeekEof or kErrIndex.
    int Next(uint32_t &record);
    // Positions on the first entry of the tag.
    int First(uint32_t &record);

    bool Positioned() const { return positioned_; }
    // Key bytes of the current entry (KeyLength() of them); only while positioned.
    const uint8_t *CurrentKey() const;

private:
    struct Level {
        uint32_t page = 0;
        uint32_t slot = 0;
        uint32_t count = 0;
        bool leaf = false;
        std::vector<uint8_t> node;
    };

    // Reads page as the next level down; false on a bad page, a key count
    // above the node's room, too deep a path or an exhausted budget.
    bool Push(uint32_t page);
    uint32_t Child(const Level &level, uint32_t slot) const;
    const uint8_t *KeyAt(const Level &level, uint32_t slot) const;
    uint32_t PointerAt(const Level &level, uint32_t slot) const;
    // Descends from page along first-key children, pushing each level.
    int DescendLeftmost(uint32_t page);
    // From an exhausted leaf to the first slot of the next non-empty leaf.
    int AdvanceLeaf();
    int Current(uint32_t &record);

    IndexFile &file_;
    uint32_t root_;
    uint32_t keyLength_;
    uint32_t itemLength_;
    uint32_t maxKeys_;
    // The path from the root to the current leaf: levels_[0 .. depth_ - 1].
    // Each level keeps its node, so moving on to the next leaf rereads nothing.
    std::vector<Level> levels_;
    size_t depth_ = 0;
    bool positioned_ = false;
    uint64_t budget_ = 0; // node reads left for the walk begun by the last seek
};

} // namespace dbf
