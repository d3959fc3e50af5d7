#include "checks.h"

#include "core/ascii.h"

#include <algorithm>
#include <unordered_map>

namespace {

constexpr std::uint64_t kMiB = 1u << 20;
// A 74-minute CD holds 650 MiB of data, an 80-minute one 360,000 sectors
// of 2,048 bytes: 703 MiB.
constexpr std::uint64_t kSmallDisc = 650 * kMiB;
constexpr std::uint64_t kLargeDisc = 703 * kMiB;
constexpr std::uint64_t kSector = 2048;
// ISO 9660 records a file's size in 32 bits.
constexpr std::uint64_t kLargestFile = (std::uint64_t{1} << 32) - 1;
// Folders an ISO 9660 disc may nest below its root.
constexpr int kDeepestFolder = 8;
// Characters of a name in the Joliet tree, which Windows reads.
constexpr std::size_t kLongestName = 64;

std::string MiB(std::uint64_t bytes) {
    return std::to_string((bytes + kMiB - 1) / kMiB) + " MiB";
}

struct DiscWalk {
    const CdFolder &cd;
    Findings &findings;
    std::uint64_t discBytes = 0;

    // A folder's entries, `depth` folders below the root, in name order.
    void Folder(const std::string &dir, int depth) {
        std::vector<CdFolder::Entry> entries = cd.List(dir);
        std::sort(entries.begin(), entries.end(),
                  [](const auto &a, const auto &b) { return a.name < b.name; });
        std::unordered_map<std::string, std::string> seen; // upper case -> first name
        for (const CdFolder::Entry &entry : entries) {
            const std::string path = dir + entry.name;
            const auto [first, fresh] = seen.emplace(ToUpperAscii(entry.name), entry.name);
            if (!fresh) {
                findings.Error(path, 0,
                               "differs from \"" + first->second +
                                   "\" only in case: Windows sees one of the two");
                continue;
            }
            if (entry.name.size() > kLongestName) {
                findings.Error(path, 0,
                               "name of " + std::to_string(entry.name.size()) +
                                   " characters: the disc's Joliet names hold at most 64");
            }
            if (!entry.directory) {
                discBytes += (entry.size + kSector - 1) / kSector * kSector;
                if (entry.size > kLargestFile) {
                    findings.Error(path, 0,
                                   std::to_string(entry.size) +
                                       " bytes: a file on the disc holds less than 4 GiB");
                }
            } else if (depth + 1 > kDeepestFolder) {
                findings.Error(path + "\\", 0,
                               "folder " + std::to_string(depth + 1) +
                                   " levels deep: the disc nests at most 8 folders");
            } else {
                Folder(path + "\\", depth + 1);
            }
        }
    }
};

} // namespace

void CheckDisc(const CdFolder &cd, Findings &findings) {
    DiscWalk walk{cd, findings};
    walk.Folder("", 0);
    if (walk.discBytes > kLargeDisc) {
        findings.Error(".", 0,
                       "the files take " + MiB(walk.discBytes) +
                           " on the disc: no 80-minute CD holds more than 703 MiB");
    } else if (walk.discBytes > kSmallDisc) {
        findings.Warning(".", 0,
                         "the files take " + MiB(walk.discBytes) +
                             " on the disc: more than a 74-minute CD's 650 MiB, only an "
                             "80-minute CD (703 MiB) holds them");
    }
}
