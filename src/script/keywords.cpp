#include "script/keywords.h"

#include "core/ascii.h"

namespace {

enum class Form {
    Prefix,         // the keyword begins the line
    PrefixWithTwin, // the keyword or "PC_" and the keyword
    PrefixThenWord, // the keyword, then `sub` one blank after it
};

struct Entry {
    Keyword keyword;
    std::string_view text;
    Form form;
    std::string_view sub = {};
};

using K = Keyword;

// Option and layout lines, in the pre-pass's order.
constexpr Entry kOptions[] = {
    {K::WaitWrite, "WAITWRITE", Form::Prefix},
    {K::CopyMode, "COPY_MODE", Form::Prefix},
    {K::Kill, "KILL", Form::Prefix},
    {K::Compatibility, "COMPATIBILITY", Form::PrefixWithTwin},
    {K::NoDelete, "NODELETE", Form::Prefix},
    {K::DeleteFile, "DELETEFILE", Form::PrefixWithTwin},
    {K::InstallFont, "INSTALL FONT", Form::PrefixWithTwin},
    {K::UseFont, "USEFONT", Form::Prefix},
    {K::BackgroundColour, "BKGNDCOLOR", Form::Prefix},
    {K::ProgressColour, "PROGRESSCOLOR", Form::Prefix},
};

// Commands, in the interpreter's order.
constexpr Entry kCommands[] = {
    {K::Install, "INSTALL", Form::PrefixWithTwin},
    {K::Image, "IMAGE", Form::PrefixWithTwin},
    {K::RemoveDir, "RMDIR", Form::PrefixWithTwin},
    {K::MakeDir, "MKDIR", Form::PrefixWithTwin},
    {K::AddStartGroup, "ADDSTART", Form::PrefixThenWord, "GROUP"},
    {K::CopyDir, "COPYDIR", Form::PrefixWithTwin},
    {K::Copy, "COPY", Form::PrefixWithTwin},
    {K::SpecialAddPath, "SPECIAL", Form::PrefixThenWord, "ADDPATH"},
    {K::SpecialAddStartup, "SPECIAL", Form::PrefixThenWord, "ADDSTARTUP"},
    {K::AddStartup, "ADDSTARTUP", Form::Prefix},
    {K::AddStartFile, "ADDSTART", Form::PrefixThenWord, "FILE"},
    {K::AddStartLink, "ADDSTART", Form::PrefixThenWord, "LINK"},
    {K::AddLink, "PC_ADDLINK", Form::Prefix},
    {K::Message, "MESSAGE", Form::PrefixWithTwin},
    {K::Test, "TEST", Form::PrefixWithTwin},
    {K::DirectXInstall, "DIRECTX_INSTALL", Form::PrefixWithTwin},
    {K::Execute, "EXECUTE", Form::PrefixWithTwin},
    {K::Delete, "DELETE", Form::Prefix},
    {K::BrowseUrl, "BROWSEURL", Form::Prefix},
    {K::AllDone, "ALLDONE", Form::PrefixWithTwin},
    {K::ProgressStart, "PROGRESS START", Form::PrefixWithTwin},
    {K::ProgressEnd, "PROGRESS END", Form::PrefixWithTwin},
};

bool StartsWith(std::string_view text, std::string_view prefix, KeywordCase letterCase) {
    if (letterCase == KeywordCase::Any)
        return StartsWithNoCase(text, prefix);
    return text.substr(0, prefix.size()) == prefix;
}

bool Matches(const Entry &entry, std::string_view line, KeywordCase letterCase) {
    switch (entry.form) {
    case Form::Prefix:
        return StartsWith(line, entry.text, letterCase);
    case Form::PrefixWithTwin:
        return StartsWith(line, entry.text, letterCase) ||
               (StartsWith(line, "PC_", letterCase) &&
                StartsWith(line.substr(3), entry.text, letterCase));
    case Form::PrefixThenWord:
        return StartsWith(line, entry.text, letterCase) && line.size() > entry.text.size() &&
               StartsWith(line.substr(entry.text.size() + 1), entry.sub, letterCase);
    }
    return false;
}

template <std::size_t N>
Keyword FirstMatch(const Entry (&table)[N], std::string_view line, KeywordCase letterCase) {
    for (const Entry &entry : table) {
        if (Matches(entry, line, letterCase))
            return entry.keyword;
    }
    return K::None;
}

} // namespace

Keyword OptionKeyword(std::string_view line) {
    return FirstMatch(kOptions, line, KeywordCase::Any);
}

Keyword CommandKeyword(std::string_view line, KeywordCase letterCase) {
    return FirstMatch(kCommands, line, letterCase);
}

std::string_view WithoutTwinPrefix(std::string_view line) {
    return line.substr(0, 3) == "PC_" ? line.substr(3) : line;
}

namespace {

template <std::size_t N>
bool FindSpelling(const Entry (&table)[N], Keyword keyword, std::string &text) {
    for (const Entry &entry : table) {
        if (entry.keyword != keyword)
            continue;
        text = entry.text;
        if (entry.form == Form::PrefixThenWord)
            text.append(" ").append(entry.sub);
        return true;
    }
    return false;
}

} // namespace

std::string KeywordSpelling(Keyword keyword) {
    std::string text;
    if (!FindSpelling(kOptions, keyword, text))
        FindSpelling(kCommands, keyword, text);
    return text;
}
