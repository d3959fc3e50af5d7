#pragma once

#include <string>
#include <vector>

struct InstallSettings;
class CopyEngine;

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
// markers, or with the keep-everything flag only the files to delete; and
// only where the folder holds this product's earlier installation. Each
// file deleted is a line of the log.
void CleanInstallDirectory(const std::string &installDir, const InstallSettings &settings,
                           const std::string &productCode);

// The COPYDIR target word as a file argument in the install directory:
// "*DESTDIR\DATA" and "DATA" both give "DATA *DESTDIR".
std::string CopyDirTargetArgument(const std::string &targetWord);

// A source ending in "*.*" names the files of its directory alone.
bool EndsWithAllFiles(const std::string &path);

// True when the names of a folder's files show this product's earlier
// installation there: the install record, or the product's CD marker of any
// language and version.
bool HoldsEarlierInstallation(const std::vector<std::string> &names,
                              const std::string &productCode);
