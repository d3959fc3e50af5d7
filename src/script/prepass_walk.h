#pragma once

#include "core/install_settings.h"

#include <cstdint>
#include <string>
#include <string_view>

// What the pre-pass walk needs from the machine: file and directory sizes
// and the font installer. Setup supplies the real ones; tests and the fuzzer
// supply fakes.
class PrePassEffects {
public:
    virtual ~PrePassEffects() = default;
    // Length of a file; a file that does not open is 0 bytes. False when
    // reading it fails, which fails the whole pre-pass.
    virtual bool FileSize(const std::string &path, std::uint64_t &bytes) = 0;
    // Bytes below a directory (or a "*.*" pattern), sub-directories too when
    // recurse is set.
    virtual std::uint64_t DirectorySize(const std::string &path, bool recurse) = 0;
    // An INSTALL FONT line: font file, its directory word, face name. False
    // when the line ends the installation (its file argument is malformed).
    virtual bool InstallFont(const std::string &fontFile, const std::string &where,
                             const std::string &faceName) = 0;
};

struct PrePassContext {
    std::string sourceDir;  // ends in a backslash
    std::string markerName; // the CD marker file's name
};

// Walks a whole script once: consumes the option and layout lines into the
// settings, sums the bytes to copy between PROGRESS START and PROGRESS END
// and keeps every other line, verbatim, in settings.commands (cleared first).
// False when a sized file could not be read or a font line ended the
// installation; the walk stops there.
bool WalkScript(std::string_view text, const PrePassContext &context, PrePassEffects &effects,
                InstallSettings &settings);
