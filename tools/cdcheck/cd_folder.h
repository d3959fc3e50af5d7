#pragma once

#include "script/prepass_walk.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A CD folder on the build machine, seen as Windows sees it: names compare
// without regard to case, "\" and "/" both separate folders. Listings are
// read once and kept, so a long script costs one read per folder.
class CdFolder {
public:
    struct Entry {
        std::string name; // as stored
        bool directory = false;
        std::uint64_t size = 0;
    };

    explicit CdFolder(std::filesystem::path root) : root_(std::move(root)) {}

    // The real path of a CD path ("DATA\DOCS\LICENSE.TXT"); nothing when a
    // part of it is not there.
    std::optional<std::filesystem::path> Find(std::string_view cdPath) const;
    std::optional<Entry> Stat(std::string_view cdPath) const;

    // The entries of a CD folder ("" the root); empty when it is not there.
    const std::vector<Entry> &List(std::string_view cdDir) const;

    // Bytes of the files of a CD folder whose names match a pattern ("*.*"
    // matches all), those of sub-folders too when recurse is set.
    std::uint64_t Bytes(std::string_view cdDir, std::string_view pattern, bool recurse) const;

private:
    struct Folder {
        std::filesystem::path real;
        std::vector<Entry> entries;
        std::unordered_map<std::string, std::size_t> byName; // upper case -> entry
    };
    // A folder by its key (upper case, parts joined by "\"); nullptr when
    // it is not there.
    const Folder *FolderAt(const std::string &key) const;
    std::uint64_t BytesBelow(const std::string &key, std::string_view pattern, bool recurse,
                             int depth) const;

    std::filesystem::path root_;
    mutable std::unordered_map<std::string, std::unique_ptr<Folder>> folders_;
};

// A file name against a Windows pattern with "*" and "?", without regard to
// case; "*.*" matches every name.
bool MatchesPattern(std::string_view name, std::string_view pattern);

// The pre-pass walk's view of the CD: real sizes, fonts remembered.
class CdEffects : public PrePassEffects {
public:
    struct Font {
        std::string file, where, face;
    };
    explicit CdEffects(const CdFolder &cd) : cd_(cd) {}

    bool FileSize(const std::string &path, std::uint64_t &bytes) override;
    std::uint64_t DirectorySize(const std::string &path, bool recurse) override;
    bool InstallFont(const std::string &fontFile, const std::string &where,
                     const std::string &faceName) override;

    const std::vector<Font> &Fonts() const { return fonts_; }

private:
    const CdFolder &cd_;
    std::vector<Font> fonts_;
};
