#include "checks.h"

#include "dbf/catalog_table.h"
#include "files/profile_text.h"
#include "messages/file_errors.h"
#include "messages/language.h"

#include <set>

namespace {

// The names setup itself asks of SETUP.DBF: drive list, main window,
// buttons, the clock check, the closing message, then the file-error texts.
constexpr const char *kSetupNames[] = {"VERSION",  "LIBRE",         "GO",         "MO",
                                       "2GO",      "NO_DISK_DISPO", "INSTALL",    "BTN_INSTALL",
                                       "BTN_QUIT", "CURRENT",       "TOTAL",      "BAD_SYSTEM_YEAR",
                                       "BTN_YES",  "BTN_NO",        "END_INSTALL"};
// And of SCRIPT.DBF: the welcome texts.
constexpr const char *kScriptNames[] = {"BONJOUR", "BONJOUR2"};

constexpr const char *kLanguageNames[kLanguageCount] = {"French",  "English", "German",
                                                        "Spanish", "Italian", "American"};

// Setup's catalog buffer.
constexpr std::size_t kTextCapacity = 255;

// One catalog table opened once per language.
class LanguageTables {
public:
    LanguageTables(CatalogEngine &engine, const std::string &name) : engine_(engine) {
        for (int i = 0; i < kLanguageCount; ++i) {
            const int index = CatalogLetterIndex(CatalogFieldLetter(MarkerLetterOf(i)));
            if (OpenCatalogTable(engine_, name.c_str(), index, tables_[i]) != kCatalogOk)
                open_ = false;
        }
    }
    ~LanguageTables() {
        for (CatalogTable &table : tables_) {
            if (table.table)
                CloseCatalogTable(engine_, table);
        }
    }
    LanguageTables(const LanguageTables &) = delete;
    LanguageTables &operator=(const LanguageTables &) = delete;

    bool Open() const { return open_; }

    // The text setup would show; nothing when the name is not there.
    std::optional<std::string> Text(int language, const std::string &name) {
        char text[kTextCapacity] = {};
        const CatalogRequest request{"NAME", "SECTION", name.c_str(), sizeof text, text};
        if (FindCatalogText(engine_, tables_[language], request) != kCatalogOk)
            return std::nullopt;
        return std::string(text);
    }

private:
    CatalogEngine &engine_;
    CatalogTable tables_[kLanguageCount];
    bool open_ = true;
};

struct Use {
    std::string file; // where the name is asked for
    int line = 0;
    std::string name;
};

// The CD's language as setup settles it: an unknown letter reads French.
int CdLanguage(const CdFacts &facts) {
    return LanguageIndexOf(facts.languageLetter);
}

std::string LanguageName(int language) {
    return std::string(kLanguageNames[language]) + " (" + MarkerLetterOf(language) + ")";
}

// Missing in the CD's own language is an error, empty elsewhere a warning.
template <typename Lookup>
void CheckNames(const std::vector<Use> &uses, const std::string &source, int cdLanguage,
                Lookup lookup, Findings &findings) {
    std::set<std::string> seen;
    for (const Use &use : uses) {
        if (!seen.insert(use.name).second)
            continue;
        for (int language = 0; language < kLanguageCount; ++language) {
            const std::optional<std::string> text = lookup(language, use.name);
            if (text && !text->empty())
                continue;
            const std::string what = "\"" + use.name + "\" has " +
                                     (text ? "an empty text" : "no text") + " in " + source +
                                     " for " + LanguageName(language);
            if (language == cdLanguage)
                findings.Error(use.file, use.line, what + ", the CD's language");
            else
                findings.Warning(use.file, use.line, what);
        }
    }
}

void CheckSetupIni(const CdFolder &cd, const CdFacts &facts, Findings &findings) {
    if (facts.messages.empty())
        return;
    std::vector<Use> uses;
    for (const CdFacts::MessageUse &m : facts.messages)
        uses.push_back({facts.scriptFile, m.line, "Message" + std::to_string(m.number)});
    std::string text;
    if (!ReadCdFile(cd, "setup.ini", text)) {
        findings.Error(facts.scriptFile, uses.front().line,
                       "MESSAGE needs SETUP.DBF and SCRIPT.DBF or a setup.ini at the root; there "
                       "is neither");
        return;
    }
    CheckNames(
        uses, "setup.ini", CdLanguage(facts),
        [&](int language, const std::string &name) {
            return ProfileValue(text, SetupIniSection(language), name);
        },
        findings);
}

// Without catalogs a command whose texts only they give shows empty ones.
void CheckCatalogOnlyTexts(const CdFacts &facts, Findings &findings) {
    std::set<std::string> seen;
    for (const CdFacts::CommandUse &use : facts.catalogOnly) {
        if (!seen.insert(use.command).second)
            continue;
        const bool directX = use.command == "DIRECTX_INSTALL";
        findings.Warning(facts.scriptFile, use.line,
                         use.command + " takes its texts only from the catalogs (" +
                             (directX ? "SETUP.DBF's DIRECTX_TITLE, DIRECTX_TEXT, BTN_YES and "
                                        "BTN_NO"
                                      : "SCRIPT.DBF's BrowseParentCorner and the address") +
                             "), and the CD has none: setup " +
                             (directX ? "asks its question in a box without title, text or "
                                        "button labels"
                                      : "asks an empty question and opens no address"));
    }
}

} // namespace

void CheckCatalogs(const CdFolder &cd, const CdFacts &facts, Findings &findings) {
    const bool haveSetup = cd.Stat("SETUP.DBF").has_value();
    const bool haveScript = cd.Stat("SCRIPT.DBF").has_value();
    if (!haveSetup && !haveScript) {
        CheckCatalogOnlyTexts(facts, findings);
        CheckSetupIni(cd, facts, findings);
        return;
    }
    if (!haveSetup || !haveScript) {
        findings.Error(haveSetup ? "SCRIPT.DBF" : "SETUP.DBF", 0,
                       "missing while the other catalog is there: setup then runs without its "
                       "catalog");
        return;
    }

    CatalogEngine engine;
    engine.open = [&cd](const std::string &path) -> std::unique_ptr<dbf::ByteSource> {
        const std::optional<std::filesystem::path> real = cd.Find(path);
        return real ? dbf::OpenReadOnlyFile(real->string()) : nullptr;
    };
    LanguageTables setupTable(engine, "SETUP.DBF");
    LanguageTables scriptTable(engine, "SCRIPT.DBF");
    bool open = true;
    for (const auto &[table, name] :
         {std::pair{&setupTable, "SETUP.DBF"}, std::pair{&scriptTable, "SCRIPT.DBF"}}) {
        if (!table->Open()) {
            findings.Error(name, 0,
                           "does not open as a message catalog (table with its .MDX index and "
                           "tag RC_CLE1): setup then runs without its catalog");
            open = false;
        }
    }
    if (!open)
        return;

    std::vector<Use> setupUses;
    for (const char *name : kSetupNames)
        setupUses.push_back({"SETUP.DBF", 0, name});
    for (int cause = kFileErrorNone; cause <= kFileErrorEndOfFile; ++cause)
        setupUses.push_back({"SETUP.DBF", 0, FileErrorMessageName(cause)});
    for (const CdFacts::NameUse &use : facts.setupNames)
        setupUses.push_back({facts.scriptFile, use.line, use.name});

    std::vector<Use> scriptUses;
    for (const char *name : kScriptNames)
        scriptUses.push_back({"SCRIPT.DBF", 0, name});
    for (const CdFacts::NameUse &use : facts.scriptNames)
        scriptUses.push_back({facts.scriptFile, use.line, use.name});
    for (const CdFacts::MessageUse &m : facts.messages)
        scriptUses.push_back({facts.scriptFile, m.line, "MESSAGE" + std::to_string(m.number)});

    const int language = CdLanguage(facts);
    CheckNames(
        setupUses, "SETUP.DBF", language,
        [&](int l, const std::string &name) { return setupTable.Text(l, name); }, findings);
    CheckNames(
        scriptUses, "SCRIPT.DBF", language,
        [&](int l, const std::string &name) { return scriptTable.Text(l, name); }, findings);
}
