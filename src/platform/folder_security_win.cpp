#include "platform/folder_security_win.h"

#include "platform/process_account.h"
#include "platform/windows_family.h"

#include <windows.h>

#include <vector>

namespace platform {
namespace {

// advapi32's security functions, looked up once.
struct Advapi32 {
    BOOL(WINAPI *allocateAndInitializeSid)
    (PSID_IDENTIFIER_AUTHORITY, BYTE, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD,
     PSID *) = nullptr;
    PVOID(WINAPI *freeSid)(PSID) = nullptr;
    BOOL(WINAPI *initializeAcl)(PACL, DWORD, DWORD) = nullptr;
    BOOL(WINAPI *addAccessAllowedAce)(PACL, DWORD, DWORD, PSID) = nullptr;
    // Windows 2000 on: with the flags that hand the entry down.
    BOOL(WINAPI *addAccessAllowedAceEx)(PACL, DWORD, DWORD, DWORD, PSID) = nullptr;
    DWORD(WINAPI *getLengthSid)(PSID) = nullptr;
    BOOL(WINAPI *initializeSecurityDescriptor)(PSECURITY_DESCRIPTOR, DWORD) = nullptr;
    BOOL(WINAPI *setSecurityDescriptorDacl)(PSECURITY_DESCRIPTOR, BOOL, PACL, BOOL) = nullptr;
    BOOL(WINAPI *setSecurityDescriptorOwner)(PSECURITY_DESCRIPTOR, PSID, BOOL) = nullptr;
    // Windows 2000 on: marks the list as not inherited from above.
    BOOL(WINAPI *setSecurityDescriptorControl)
    (PSECURITY_DESCRIPTOR, SECURITY_DESCRIPTOR_CONTROL, SECURITY_DESCRIPTOR_CONTROL) = nullptr;
    BOOL(WINAPI *setFileSecurity)(LPCSTR, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR) = nullptr;
    BOOL(WINAPI *getFileSecurity)
    (LPCSTR, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR, DWORD, LPDWORD) = nullptr;
    BOOL(WINAPI *getSecurityDescriptorOwner)(PSECURITY_DESCRIPTOR, PSID *, LPBOOL) = nullptr;
    BOOL(WINAPI *getSecurityDescriptorDacl)(PSECURITY_DESCRIPTOR, LPBOOL, PACL *, LPBOOL) = nullptr;
    BOOL(WINAPI *getAce)(PACL, DWORD, LPVOID *) = nullptr;

    bool CanRead() const {
        return getFileSecurity && getSecurityDescriptorOwner && getSecurityDescriptorDacl && getAce;
    }
    bool CanWrite() const {
        return allocateAndInitializeSid && freeSid && initializeAcl && addAccessAllowedAce &&
               getLengthSid && initializeSecurityDescriptor && setSecurityDescriptorDacl &&
               setSecurityDescriptorOwner && setFileSecurity;
    }
};

template <typename Function> void Find(const char *name, Function &function) {
    function = reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(FindNewerFunction("advapi32.dll", name)));
}

const Advapi32 &Security() {
    static const Advapi32 functions = [] {
        Advapi32 f;
        if (IsWindows95Family())
            return f;
        Find("AllocateAndInitializeSid", f.allocateAndInitializeSid);
        Find("FreeSid", f.freeSid);
        Find("InitializeAcl", f.initializeAcl);
        Find("AddAccessAllowedAce", f.addAccessAllowedAce);
        Find("AddAccessAllowedAceEx", f.addAccessAllowedAceEx);
        Find("GetLengthSid", f.getLengthSid);
        Find("InitializeSecurityDescriptor", f.initializeSecurityDescriptor);
        Find("SetSecurityDescriptorDacl", f.setSecurityDescriptorDacl);
        Find("SetSecurityDescriptorOwner", f.setSecurityDescriptorOwner);
        Find("SetSecurityDescriptorControl", f.setSecurityDescriptorControl);
        Find("SetFileSecurityA", f.setFileSecurity);
        Find("GetFileSecurityA", f.getFileSecurity);
        Find("GetSecurityDescriptorOwner", f.getSecurityDescriptorOwner);
        Find("GetSecurityDescriptorDacl", f.getSecurityDescriptorDacl);
        Find("GetAce", f.getAce);
        return f;
    }();
    return functions;
}

// A well-known account of the NT authority, freed with the object.
class Account {
public:
    Account(DWORD first, DWORD second, BYTE count) {
        SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
        if (!Security().allocateAndInitializeSid(&nt, count, first, second, 0, 0, 0, 0, 0, 0,
                                                 &sid_))
            sid_ = nullptr;
    }
    ~Account() {
        if (sid_)
            Security().freeSid(sid_);
    }
    Account(const Account &) = delete;
    Account &operator=(const Account &) = delete;
    PSID Get() const { return sid_; }

private:
    PSID sid_ = nullptr;
};

bool VolumeKeepsRights(const std::string &path) {
    std::string root = path.substr(0, 3);
    if (path.rfind("\\\\", 0) == 0) {
        const std::size_t server = path.find('\\', 2);
        const std::size_t share =
            server == std::string::npos ? server : path.find('\\', server + 1);
        root = (share == std::string::npos ? path : path.substr(0, share)) + "\\";
    }
    DWORD flags = 0;
    if (!GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0))
        return true; // ask the folder itself
    return (flags & FS_PERSISTENT_ACLS) != 0;
}

constexpr DWORD kProtectedDacl = 0x80000000; // PROTECTED_DACL_SECURITY_INFORMATION
constexpr SECURITY_DESCRIPTOR_CONTROL kDaclProtected = 0x1000;
constexpr DWORD kHandedDown = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;

} // namespace

std::string AccountText(const void *sid) {
    // The layout of a SID is fixed: revision, count, a 48-bit authority and
    // 32-bit sub-authorities.
    const auto *s = static_cast<const SID *>(sid);
    unsigned long long authority = 0;
    for (BYTE b : s->IdentifierAuthority.Value)
        authority = authority << 8 | b;
    // Appended piece by piece: GCC 12 sees an overlap in a chain of +.
    std::string text("S-");
    text.append(std::to_string(s->Revision)).append("-").append(std::to_string(authority));
    for (BYTE i = 0; i < s->SubAuthorityCount; ++i)
        text.append("-").append(std::to_string(s->SubAuthority[i]));
    return text;
}

bool MakeProtectedFolder(const std::string &path) {
    const Advapi32 &f = Security();
    if (!f.CanWrite())
        return false;
    const Account system(SECURITY_LOCAL_SYSTEM_RID, 0, 1);
    const Account admins(SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 2);
    const Account users(SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS, 2);
    if (!system.Get() || !admins.Get() || !users.Get())
        return false;
    const DWORD size = sizeof(ACL) + 3 * (sizeof(ACCESS_ALLOWED_ACE) + SECURITY_MAX_SID_SIZE);
    std::vector<DWORD> aclBuffer(size / sizeof(DWORD) + 1);
    auto *acl = reinterpret_cast<PACL>(aclBuffer.data());
    if (!f.initializeAcl(acl, size, ACL_REVISION))
        return false;
    const struct {
        PSID sid;
        DWORD rights;
    } grants[] = {{system.Get(), FILE_ALL_ACCESS},
                  {admins.Get(), FILE_ALL_ACCESS},
                  {users.Get(), FILE_GENERIC_READ | FILE_GENERIC_EXECUTE}};
    for (const auto &grant : grants) {
        // NT 4.0 has no inheritance flags to give: there the entries hold for
        // the folder, and what is made inside gets its maker's defaults.
        const BOOL added =
            f.addAccessAllowedAceEx
                ? f.addAccessAllowedAceEx(acl, ACL_REVISION, kHandedDown, grant.rights, grant.sid)
                : f.addAccessAllowedAce(acl, ACL_REVISION, grant.rights, grant.sid);
        if (!added)
            return false;
    }
    SECURITY_DESCRIPTOR descriptor;
    if (!f.initializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !f.setSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE))
        return false;
    DWORD what = DACL_SECURITY_INFORMATION;
    if (f.setSecurityDescriptorControl &&
        f.setSecurityDescriptorControl(&descriptor, kDaclProtected, kDaclProtected))
        what |= kProtectedDacl;
    SECURITY_DESCRIPTOR owned = descriptor;
    const bool ownerSet = f.setSecurityDescriptorOwner(&owned, admins.Get(), FALSE) != FALSE;

    // Made with the rights of the common files folder, which only
    // administrators may change; a new folder and an earlier installation's
    // then get the list alike.
    if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    return (ownerSet &&
            f.setFileSecurity(path.c_str(), what | OWNER_SECURITY_INFORMATION, &owned)) ||
           f.setFileSecurity(path.c_str(), what, &descriptor);
}

SecurityRead ReadFolderSecurity(const std::string &path, FolderSecurity &security) {
    const Advapi32 &f = Security();
    if (!f.CanRead())
        return SecurityRead::Failed;
    if (!VolumeKeepsRights(path))
        return SecurityRead::NoAcls;
    const SECURITY_INFORMATION what = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    DWORD needed = 0;
    f.getFileSecurity(path.c_str(), what, nullptr, 0, &needed);
    if (needed == 0 || needed > (1u << 20))
        return SecurityRead::Failed;
    std::vector<DWORD> buffer(needed / sizeof(DWORD) + 1);
    PSECURITY_DESCRIPTOR descriptor = buffer.data();
    if (!f.getFileSecurity(path.c_str(), what, descriptor, needed, &needed))
        return SecurityRead::Failed;
    PSID owner = nullptr;
    BOOL defaulted = FALSE;
    BOOL present = FALSE;
    PACL acl = nullptr;
    if (!f.getSecurityDescriptorOwner(descriptor, &owner, &defaulted) ||
        !f.getSecurityDescriptorDacl(descriptor, &present, &acl, &defaulted))
        return SecurityRead::Failed;
    security = FolderSecurity();
    security.owner = owner ? AccountText(owner) : std::string();
    security.hasList = present && acl;
    if (!security.hasList)
        return SecurityRead::Read;
    for (DWORD i = 0; i < acl->AceCount; ++i) {
        void *ace = nullptr;
        if (!f.getAce(acl, i, &ace))
            return SecurityRead::Failed;
        const auto *header = static_cast<const ACE_HEADER *>(ace);
        AccessEntry entry;
        if (header->AceType == ACCESS_ALLOWED_ACE_TYPE) {
            entry.allow = true;
        } else if (header->AceType == ACCESS_DENIED_ACE_TYPE) {
            entry.allow = false;
        } else {
            // An entry of another kind (object, callback) is read as a grant
            // of every right to someone unknown: it makes the folder unsafe.
            entry.account = "?";
            entry.rights = GENERIC_ALL;
            security.entries.push_back(entry);
            continue;
        }
        const auto *allowed = static_cast<const ACCESS_ALLOWED_ACE *>(ace);
        entry.inheritOnly = (header->AceFlags & INHERIT_ONLY_ACE) != 0;
        entry.rights = allowed->Mask;
        entry.account = AccountText(&allowed->SidStart);
        security.entries.push_back(entry);
    }
    return SecurityRead::Read;
}

bool OnlyAdministratorsMayWrite(const std::string &path) {
    FolderSecurity security;
    switch (ReadFolderSecurity(path, security)) {
    case SecurityRead::Read:
        return !OthersMayWrite(security, CurrentAccount().sid);
    case SecurityRead::NoAcls: {
        char windows[MAX_PATH];
        const UINT length = GetWindowsDirectoryA(windows, sizeof windows);
        return length > 0 && length < sizeof windows &&
               !VolumeKeepsRights(std::string(windows, length));
    }
    case SecurityRead::Failed:
        break;
    }
    return false;
}

} // namespace platform
