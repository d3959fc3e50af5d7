#include "system/program_launch.h"

#include "files/path_macros.h"

#include <algorithm>

std::string WatchedTitle(const std::string &title) {
    if (title.empty() || title.front() == ' ')
        return std::string();
    return title;
}

std::string CommandLinePath(const std::string &path) {
    if (path.find(' ') == std::string::npos || path.front() == '"')
        return path;
    return "\"" + path + "\"";
}

std::string CommandProgram(const std::string &command) {
    if (!command.empty() && command[0] == '"') {
        const std::size_t end = command.find('"', 1);
        return end == std::string::npos ? "" : command.substr(1, end - 1);
    }
    return command;
}

std::optional<ProgramLaunch> PrepareLaunch(const std::string &program, const std::string &arguments,
                                           const std::string &dirWord, const std::string &title,
                                           const Directories &dirs, InstallView &view) {
    const auto workingDir = PrepareFileName(dirWord, dirs, view);
    if (!workingDir)
        return std::nullopt;
    // A plain directory word names a folder of the source directory, and the
    // program lies in it (a file argument would refuse the word).
    std::optional<std::string> path;
    if (!dirWord.empty() && dirWord.front() != '*') {
        path = *workingDir + "\\" + program;
        std::replace(path->begin(), path->end(), '|', ' ');
    } else {
        path = PrepareFileName(program + " " + dirWord, dirs, view);
        if (!path)
            return std::nullopt;
    }
    ProgramLaunch launch;
    launch.program = *path;
    launch.workingDir = *workingDir;
    launch.commandLine = CommandLinePath(*path);
    if (!arguments.empty())
        launch.commandLine += " " + arguments;
    launch.title = WatchedTitle(title);
    return launch;
}
