#include "platform/process_account.h"

#include "platform/windows_family.h"

#include <windows.h>

#include <cstring>

namespace platform {
namespace {

// GetTokenInformation is a stub on the Windows 95 family: looked up, and
// called on the NT family only.
using GetTokenInformationCall = BOOL(WINAPI *)(HANDLE, TOKEN_INFORMATION_CLASS, LPVOID, DWORD,
                                               PDWORD);

// TokenElevation (Windows Vista on); older headers lack the name.
constexpr int kTokenElevation = 20;

class ProcessToken {
public:
    ProcessToken() {
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token_))
            token_ = nullptr;
    }
    ~ProcessToken() {
        if (token_)
            CloseHandle(token_);
    }
    ProcessToken(const ProcessToken &) = delete;
    ProcessToken &operator=(const ProcessToken &) = delete;
    HANDLE Get() const { return token_; }

private:
    HANDLE token_ = nullptr;
};

// S-1-5-18: revision 1, one sub-authority, the NT authority (5), 18.
bool IsLocalSystemSid(const unsigned char *sid, DWORD size) {
    static const unsigned char kLocalSystem[] = {1, 1, 0, 0, 0, 0, 0, 5, 18, 0, 0, 0};
    return size >= sizeof kLocalSystem && std::memcmp(sid, kLocalSystem, sizeof kLocalSystem) == 0;
}

std::string UserName() {
    char name[257] = {};
    DWORD size = sizeof name;
    return GetUserNameA(name, &size) && name[0] ? name : "unknown";
}

ProcessAccount Decide() {
    ProcessAccount account;
    account.name = UserName();
    if (IsWindows95Family()) {
        account.elevated = "not applicable";
        return account;
    }
    account.elevated = "unknown";
    const auto getInformation = reinterpret_cast<GetTokenInformationCall>(
        reinterpret_cast<void (*)()>(FindNewerFunction("advapi32.dll", "GetTokenInformation")));
    const ProcessToken token;
    if (!getInformation || !token.Get())
        return account;
    // TOKEN_USER followed by the SID it points to.
    alignas(TOKEN_USER) unsigned char user[128];
    DWORD size = 0;
    if (getInformation(token.Get(), TokenUser, user, sizeof user, &size)) {
        const auto *sid = static_cast<const unsigned char *>(
            reinterpret_cast<const TOKEN_USER *>(user)->User.Sid);
        const unsigned char *end = user + sizeof user;
        account.localSystem =
            sid >= user && sid < end && IsLocalSystemSid(sid, static_cast<DWORD>(end - sid));
    }
    DWORD elevation = 0;
    if (getInformation(token.Get(), static_cast<TOKEN_INFORMATION_CLASS>(kTokenElevation),
                       &elevation, sizeof elevation, &size))
        account.elevated = elevation ? "yes" : "no";
    else
        account.elevated = "no UAC on this Windows";
    return account;
}

} // namespace

const ProcessAccount &CurrentAccount() {
    static const ProcessAccount account = Decide();
    return account;
}

} // namespace platform
