#include "system/shortcut_names.h"

#include "core/ascii.h"
#include "core/limits.h"
#include "system/setup_keys.h"

#include <cstdio>

namespace {

std::string LanguageAndDrive(const std::string &languageText, char drive) {
    std::string text = " " + languageText + " ";
    if (drive)
        text += drive;
    return text;
}

} // namespace

std::string VersionSuffix(int productVersion) {
    char text[40];
    std::snprintf(text, sizeof text, " V.%01d.%02d", productVersion / 100, productVersion % 100);
    return text;
}

std::string GroupNameWithProduct(const std::string &name, const std::string &productName) {
    const std::size_t at = name.find("*PRODUCT");
    if (at == std::string::npos)
        return name;
    return name.substr(0, at) + productName.substr(0, kMaxShownProductName);
}

std::string WorkingDirectoryOf(const std::string &target) {
    const std::size_t slash = target.rfind('\\');
    return slash == std::string::npos ? target : target.substr(0, slash);
}

LinkName ProgramLinkName(const LinkNameParts &parts) {
    std::string suffix;
    if (parts.addVersion)
        suffix += VersionSuffix(parts.productVersion);
    if (parts.addLanguageAndDrive)
        suffix += LanguageAndDrive(parts.languageText, parts.drive);
    LinkName link;
    link.path = BarsToBlanks(parts.groupFolder + "\\" + parts.name + suffix + ".LNK");
    link.description = BarsToBlanks(parts.name + suffix);
    return link;
}

std::string StartupBaseName(const std::string &target) {
    const std::size_t slash = target.rfind('\\');
    std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    const std::size_t dot = name.find('.');
    if (dot != std::string::npos)
        name.resize(dot);
    if (name.size() > kMaxStartupLinkName)
        name.resize(kMaxStartupLinkName);
    return name;
}

std::string StartupLinkPath(const std::string &startupFolder, const std::string &baseName,
                            const std::string &languageText, char drive) {
    std::string path = startupFolder;
    if (path.empty() || path.back() != '\\')
        path += '\\';
    return path + baseName + LanguageAndDrive(languageText, drive) + ".LNK";
}

std::string UninstallDisplayName(const std::string &productName, int productVersion,
                                 const std::string &installDir) {
    std::string name = productName.substr(0, kMaxUninstallProductName);
    name += VersionSuffix(productVersion);
    name += " on ";
    if (!installDir.empty())
        name += installDir[0];
    return name;
}

bool SameProductEntry(const std::string &displayName, const std::string &productName) {
    const std::string name = productName.substr(0, kMaxUninstallProductName) + " V.";
    return displayName.compare(0, name.size(), name) == 0;
}

std::string UninstallKey(const std::string &displayName) {
    return SetupKeyPath(SetupKeyId::Uninstall, displayName);
}

std::string UninstallCommand(const std::string &installDir) {
    return "\"" + installDir + "Uninst.exe\"";
}

std::string QuietUninstallCommand(const std::string &installDir) {
    return UninstallCommand(installDir) + " /S";
}

std::string InstallLocationOf(const std::string &installDir) {
    std::string location = installDir;
    if (location.size() > 3 && location.back() == '\\')
        location.pop_back();
    return location;
}

std::string DisplayVersionOf(int productVersion) {
    const int version = productVersion < 0 ? 0 : productVersion;
    std::string minor = std::to_string(version % 100);
    if (minor.size() < 2)
        minor.insert(0, 1, '0');
    return std::to_string(version / 100) + "." + minor;
}

std::uint32_t EstimatedSizeOf(std::uint64_t bytes) {
    const std::uint64_t kib = (bytes + 1023) / 1024;
    return kib > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(kib);
}
