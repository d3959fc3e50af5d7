#include "cd_folder.h"

#include "core/ascii.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {

// Folders nested deeper than this are not followed (a link loop on the
// build machine must not hang the check).
constexpr int kMaxDepth = 64;

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

} // namespace

const std::vector<CdFolder::Entry> &CdFolder::List(const fs::path &dir) const {
    const auto found = listings_.find(dir.string());
    if (found != listings_.end())
        return found->second;
    std::vector<Entry> entries;
    std::error_code error;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        Entry entry;
        entry.name = it->path().filename().string();
        std::error_code statError;
        entry.directory = it->is_directory(statError);
        if (!entry.directory) {
            const auto size = it->file_size(statError);
            entry.size = statError ? 0 : size;
        }
        entries.push_back(std::move(entry));
    }
    return listings_.emplace(dir.string(), std::move(entries)).first->second;
}

const CdFolder::Entry *CdFolder::Child(const fs::path &dir, std::string_view name) const {
    const std::vector<Entry> &entries = List(dir);
    const Entry *noCase = nullptr;
    for (const Entry &entry : entries) {
        if (entry.name == name)
            return &entry;
        if (!noCase && EqualsNoCase(entry.name, name))
            noCase = &entry;
    }
    return noCase;
}

std::optional<fs::path> CdFolder::Find(std::string_view cdPath) const {
    fs::path at = root_;
    std::size_t pos = 0;
    while (pos <= cdPath.size()) {
        std::size_t end = pos;
        while (end < cdPath.size() && !IsSeparator(cdPath[end]))
            ++end;
        const std::string_view part = cdPath.substr(pos, end - pos);
        pos = end + 1;
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            at = at.parent_path();
            continue;
        }
        const Entry *entry = Child(at, part);
        if (!entry)
            return std::nullopt;
        at /= entry->name;
    }
    return at;
}

std::optional<CdFolder::Entry> CdFolder::Stat(std::string_view cdPath) const {
    const std::optional<fs::path> path = Find(cdPath);
    if (!path)
        return std::nullopt;
    if (*path == root_)
        return Entry{".", true, 0};
    const Entry *entry = Child(path->parent_path(), path->filename().string());
    if (!entry)
        return std::nullopt;
    return *entry;
}

std::uint64_t CdFolder::BytesBelow(const fs::path &dir, std::string_view pattern, bool recurse,
                                   int depth) const {
    std::uint64_t bytes = 0;
    for (const Entry &entry : List(dir)) {
        if (entry.directory) {
            if (recurse && depth < kMaxDepth)
                bytes += BytesBelow(dir / entry.name, pattern, recurse, depth + 1);
        } else if (MatchesPattern(entry.name, pattern)) {
            bytes += entry.size;
        }
    }
    return bytes;
}

std::uint64_t CdFolder::Bytes(std::string_view cdDir, std::string_view pattern,
                              bool recurse) const {
    const std::optional<fs::path> dir = Find(cdDir);
    return dir ? BytesBelow(*dir, pattern, recurse, 0) : 0;
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
    if (pattern == "*.*" || pattern == "*")
        return true;
    // Classic two-pointer wildcard match with one back-track point.
    std::size_t n = 0, p = 0, star = std::string_view::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || EqualsNoCase(name.substr(n, 1), pattern.substr(p, 1)))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool CdEffects::FileSize(const std::string &path, std::uint64_t &bytes) {
    const std::optional<CdFolder::Entry> entry = cd_.Stat(path);
    bytes = entry && !entry->directory ? entry->size : 0;
    return true;
}

std::uint64_t CdEffects::DirectorySize(const std::string &path, bool recurse) {
    std::size_t cut = path.size();
    while (cut > 0 && !IsSeparator(path[cut - 1]))
        --cut;
    const std::string_view last = std::string_view(path).substr(cut);
    if (last.find_first_of("*?") != std::string_view::npos)
        return cd_.Bytes(std::string_view(path).substr(0, cut), last, recurse);
    return cd_.Bytes(path, "*.*", recurse);
}

void CdEffects::InstallFont(const std::string &fontFile, const std::string &where,
                            const std::string &faceName) {
    fonts_.push_back({fontFile, where, faceName});
}
