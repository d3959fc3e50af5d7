#pragma once

#include <cstdint>
#include <map>
#include <string>

// CD folders that are wrong in one or two ways, made deterministically from
// a seed out of a small valid CD. Portable: the files are names and bytes.
namespace hostile {

using Files = std::map<std::string, std::string>; // relative path -> bytes

struct Cd {
    Files files;
    std::string faults; // what was done to it, for the report
};

// A small valid English CD: PXD.INI (installing into \Hostile<n>), the
// marker, a script copying DATA\*, the catalogs, setup.ini and the picture
// given in `sample` (names as on the sample CD).
Files BaseCd(const Files &sample, std::uint32_t seed);

// The base CD with one or two faults chosen by the seed.
Cd MakeCd(const Files &sample, std::uint32_t seed);

// How many kinds of fault the generator knows.
int FaultKinds();

} // namespace hostile
