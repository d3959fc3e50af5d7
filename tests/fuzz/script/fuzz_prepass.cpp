// Feeds arbitrary bytes to the pre-pass as a script, then every kept line to
// the parse the interpreter runs. The effects answer with sizes derived from
// the path, fail for some paths, and check that every path and font word
// stays bounded; every parsed word must stay bounded too.
#include "core/script_text.h"
#include "script/command_parse.h"
#include "script/prepass_walk.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

const PrePassContext kContext{"D:\\DATA\\", "DEMOA110.CD1"};

class FuzzEffects : public PrePassEffects {
public:
    bool FileSize(const std::string &path, std::uint64_t &bytes) override {
        CheckPath(path);
        bytes = path.size() * 977;
        return path.find("FAIL") == std::string::npos;
    }
    std::uint64_t DirectorySize(const std::string &path, bool recurse) override {
        CheckPath(path);
        return path.size() * (recurse ? 31 : 7);
    }
    bool InstallFont(const std::string &file, const std::string &where,
                     const std::string &face) override {
        if (file.size() > kMaxScriptWord || where.size() > kMaxScriptWord ||
            face.size() > kMaxScriptWord)
            std::abort();
        return true;
    }

private:
    static void CheckPath(const std::string &path) {
        if (path.size() > kContext.sourceDir.size() + kMaxScriptWord)
            std::abort();
    }
};

// Every string a parsed command holds is a word, a part of a word or the
// line's bounded rest: never longer than the line it came from.
struct BoundedWords {
    std::size_t lineSize;
    void Check(const std::string &text) const {
        if (text.size() > lineSize)
            std::abort();
    }
    template <typename Command> void operator()(const Command &command) const {
        if constexpr (requires { command.file; })
            Check(command.file);
        if constexpr (requires { command.line; })
            Check(command.line);
        if constexpr (requires { command.name; })
            Check(command.name);
        if constexpr (requires { command.destination; })
            Check(command.destination);
        if constexpr (requires { command.title; })
            Check(command.title);
        if constexpr (requires { command.argument; })
            Check(command.argument);
        if constexpr (requires { command.program; })
            Check(command.program);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    FuzzEffects effects;
    InstallSettings settings;
    WalkScript(text, kContext, effects, settings);
    // Kept lines are whole lines of the input: never longer, never with a
    // line end inside.
    std::size_t keptBytes = 0;
    for (const std::string &line : settings.commands) {
        if (line.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
            std::abort();
        keptBytes += line.size();
    }
    if (keptBytes > size)
        std::abort();
    for (const std::string &line : settings.commands)
        std::visit(BoundedWords{line.size()}, ParseCommand(line));
    for (const WindowToClose &window : settings.windowsToClose) {
        if (window.titleHead.size() > kMaxScriptWord || window.titleTail.size() > kMaxScriptWord)
            std::abort();
    }
    return 0;
}
