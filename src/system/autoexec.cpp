#include "system/autoexec.h"

const char kAutoexecMarkerLine[] = "REM ********LIGNE AJOUTEE PAR MORVEL****************";

std::string AutoexecPath(const std::string &windowsDir) {
    return windowsDir.substr(0, 3) + "AUTOEXEC.BAT";
}

std::string AppendPathLines(const std::string &content, const std::string &directory) {
    std::string text = content;
    text += kAutoexecMarkerLine;
    text += "\r\n";
    text += "SET PATH=%PATH%;";
    text += directory;
    text += "\r\n";
    return text;
}
