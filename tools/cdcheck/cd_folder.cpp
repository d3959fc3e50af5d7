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

// A CD path as a folder key: upper case, "." and empty parts dropped, ".."
// applied, parts joined by "\".
std::string KeyOf(std::string_view cdPath) {
    std::string key;
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
            const std::size_t cut = key.rfind('\\');
            key.resize(cut == std::string::npos ? 0 : cut);
            continue;
        }
        if (!key.empty())
            key += '\\';
        key += ToUpperAscii(part);
    }
    return key;
}

// The key's folder part and its last name.
std::pair<std::string, std::string> SplitKey(const std::string &key) {
    const std::size_t cut = key.rfind('\\');
    if (cut == std::string::npos)
        return {std::string(), key};
    return {key.substr(0, cut), key.substr(cut + 1)};
}

} // namespace

const CdFolder::Folder *CdFolder::FolderAt(const std::string &key) const {
    if (const auto found = folders_.find(key); found != folders_.end())
        return found->second.get();
    std::unique_ptr<Folder> folder;
    if (key.empty()) {
        folder = std::make_unique<Folder>();
        folder->real = root_;
    } else {
        const auto [parentKey, name] = SplitKey(key);
        const Folder *parent = FolderAt(parentKey);
        if (parent) {
            const auto entry = parent->byName.find(name);
            if (entry != parent->byName.end() && parent->entries[entry->second].directory) {
                folder = std::make_unique<Folder>();
                folder->real = parent->real / parent->entries[entry->second].name;
            }
        }
    }
    if (folder) {
        std::error_code error;
        for (fs::directory_iterator it(folder->real, error), end; !error && it != end;
             it.increment(error)) {
            Entry entry;
            entry.name = it->path().filename().string();
            std::error_code statError;
            entry.directory = it->is_directory(statError);
            if (!entry.directory) {
                const auto size = it->file_size(statError);
                entry.size = statError ? 0 : size;
            }
            folder->byName.emplace(ToUpperAscii(entry.name), folder->entries.size());
            folder->entries.push_back(std::move(entry));
        }
    }
    return folders_.emplace(key, std::move(folder)).first->second.get();
}

const std::vector<CdFolder::Entry> &CdFolder::List(std::string_view cdDir) const {
    static const std::vector<Entry> kNone;
    const Folder *folder = FolderAt(KeyOf(cdDir));
    return folder ? folder->entries : kNone;
}

std::optional<CdFolder::Entry> CdFolder::Stat(std::string_view cdPath) const {
    const std::string key = KeyOf(cdPath);
    if (key.empty())
        return Entry{".", true, 0};
    const auto [parentKey, name] = SplitKey(key);
    const Folder *parent = FolderAt(parentKey);
    if (!parent)
        return std::nullopt;
    const auto entry = parent->byName.find(name);
    if (entry == parent->byName.end())
        return std::nullopt;
    return parent->entries[entry->second];
}

std::optional<fs::path> CdFolder::Find(std::string_view cdPath) const {
    const std::string key = KeyOf(cdPath);
    if (key.empty())
        return root_;
    const auto [parentKey, name] = SplitKey(key);
    const Folder *parent = FolderAt(parentKey);
    if (!parent)
        return std::nullopt;
    const auto entry = parent->byName.find(name);
    if (entry == parent->byName.end())
        return std::nullopt;
    return parent->real / parent->entries[entry->second].name;
}

std::uint64_t CdFolder::BytesBelow(const std::string &key, std::string_view pattern, bool recurse,
                                   int depth) const {
    const Folder *folder = FolderAt(key);
    if (!folder)
        return 0;
    std::uint64_t bytes = 0;
    for (const Entry &entry : folder->entries) {
        if (entry.directory) {
            if (recurse && depth < kMaxDepth) {
                bytes += BytesBelow((key.empty() ? "" : key + "\\") + ToUpperAscii(entry.name),
                                    pattern, recurse, depth + 1);
            }
        } else if (MatchesPattern(entry.name, pattern)) {
            bytes += entry.size;
        }
    }
    return bytes;
}

std::uint64_t CdFolder::Bytes(std::string_view cdDir, std::string_view pattern,
                              bool recurse) const {
    return BytesBelow(KeyOf(cdDir), pattern, recurse, 0);
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

bool CdEffects::InstallFont(const std::string &fontFile, const std::string &where,
                            const std::string &faceName) {
    fonts_.push_back({fontFile, where, faceName});
    return true; // the script check reports a malformed font line
}
