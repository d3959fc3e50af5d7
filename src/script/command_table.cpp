#include "script/command_table.h"

#include "script/script_text.h"

namespace {

bool StartsWith(std::string_view line, std::string_view prefix) {
    return line.substr(0, prefix.size()) == prefix;
}

// The keyword or its "PC_" twin.
bool StartsWithEither(std::string_view line, std::string_view keyword) {
    return StartsWith(line, keyword) ||
           (StartsWith(line, "PC_") && StartsWith(line.substr(3), keyword));
}

// A keyword prefix, then a given second word.
bool StartsWithThenWord(std::string_view line, std::string_view prefix, std::string_view second) {
    if (!StartsWith(line, prefix))
        return false;
    WordReader words(line);
    words.Word();
    return words.Word() == second;
}

} // namespace

ScriptCommand ClassifyCommand(std::string_view line) {
    using C = ScriptCommand;
    if (StartsWithEither(line, "INSTALL"))
        return C::Install;
    if (StartsWithEither(line, "IMAGE"))
        return C::Image;
    if (StartsWithEither(line, "RMDIR"))
        return C::RemoveDir;
    if (StartsWithEither(line, "MKDIR"))
        return C::MakeDir;
    if (StartsWithThenWord(line, "ADDSTART", "GROUP"))
        return C::AddStartGroup;
    if (StartsWithEither(line, "COPYDIR"))
        return C::CopyDir;
    if (StartsWithEither(line, "COPY"))
        return C::Copy;
    if (StartsWithThenWord(line, "SPECIAL", "ADDPATH"))
        return C::SpecialAddPath;
    if (StartsWith(line, "ADDSTARTUP"))
        return C::AddStartup;
    if (StartsWithThenWord(line, "ADDSTART", "FILE"))
        return C::AddStartFile;
    if (StartsWithThenWord(line, "ADDSTART", "LINK"))
        return C::AddStartLink;
    if (StartsWith(line, "PC_ADDLINK"))
        return C::AddLink;
    if (StartsWithEither(line, "MESSAGE"))
        return C::Message;
    if (StartsWithEither(line, "TEST"))
        return C::Test;
    if (StartsWithEither(line, "DIRECTX_INSTALL"))
        return C::DirectXInstall;
    if (StartsWithEither(line, "EXECUTE"))
        return C::Execute;
    if (StartsWith(line, "DELETE"))
        return C::Delete;
    if (StartsWith(line, "BROWSEURL"))
        return C::BrowseUrl;
    if (StartsWithEither(line, "ALLDONE"))
        return C::AllDone;
    if (StartsWithEither(line, "PROGRESS START"))
        return C::ProgressStart;
    if (StartsWithEither(line, "PROGRESS END"))
        return C::ProgressEnd;
    return C::Unknown;
}

bool AsksForRestart(std::string_view line) {
    return line.size() > 10 && line.substr(8, 6) == "REBOOT";
}

std::string_view WithoutTwinPrefix(std::string_view line) {
    return StartsWith(line, "PC_") ? line.substr(3) : line;
}
