#pragma once

#include <string>
#include <string_view>

struct Directories;
struct InstallSettings;
class CopyEngine;
class InstallView;

// What the COPY, COPYDIR, MKDIR and RMDIR lines work with.
struct DirectoryCommandContext {
    const Directories &dirs;
    const std::string &markerName; // the CD marker file, copied by COPY NOMENCLATUREFILE
    CopyEngine &engine;
    InstallView &view;
    bool showProgress = false; // between PROGRESS START and PROGRESS END
};

// Each takes the whole script line (without a "PC_" prefix). A malformed
// line ends the run through the view; the caller then stops.
void CopyCommand(std::string_view line, DirectoryCommandContext &context);
void CopyDirCommand(std::string_view line, DirectoryCommandContext &context);
void MakeDirCommand(std::string_view line, DirectoryCommandContext &context);
void RemoveDirCommand(std::string_view line, DirectoryCommandContext &context);

// Copies the files of a directory ("...\*.*" is the directory itself);
// with recurse, sub-directories too, creating them in the target.
int CopyDirectory(const std::string &source, const std::string &target, bool recurse,
                  bool showProgress, CopyEngine &engine);
// Creates each directory along a path, after its drive's root.
void CreateDirectoryPath(const std::string &path);
// Removes the files and sub-directories below a directory, except read-only
// files and the directories that still hold them.
void RemoveTree(const std::string &dir);

// Deletes old files directly in the install directory before the script's
// commands run: everything but the files to keep and other products'
// markers, or with the keep-everything flag only the files to delete.
void CleanInstallDirectory(const std::string &installDir, const InstallSettings &settings,
                           const std::string &productCode);

// The COPYDIR target word as a file argument in the install directory:
// "*DESTDIR\DATA" and "DATA" both give "DATA *DESTDIR".
std::string CopyDirTargetArgument(const std::string &targetWord);
