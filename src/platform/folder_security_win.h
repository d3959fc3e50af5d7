#pragma once

#include "core/trust_rules.h"

#include <string>

// Folder rights on the NT family. Every security function is looked up at
// run time: the Windows 95 family exports them only as stubs, and has no
// accounts to keep apart.
namespace platform {

// Creates the folder, or takes over an existing one, with a protected
// access list: the system and the administrators may do everything, the
// users read and run, nothing is inherited from above; the administrators
// own it where the system lets them. False when that could not be done.
bool MakeProtectedFolder(const std::string &path);

enum class SecurityRead {
    Read,   // security holds the folder's owner and access list
    NoAcls, // its volume keeps no rights (FAT): every account may write there
    Failed  // it could not be read
};
SecurityRead ReadFolderSecurity(const std::string &path, FolderSecurity &security);

// An account as its "S-1-..." text.
std::string AccountText(const void *sid);

// True when only the system and the administrators may change what the
// folder holds; on a volume without rights, only when no account's rights
// are kept anywhere (the system's own volume lacks them too).
bool OnlyAdministratorsMayWrite(const std::string &path);

} // namespace platform
