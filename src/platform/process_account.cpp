#include "platform/process_account.h"

#include "core/trust_rules.h"
#include "platform/folder_security_win.h"
#include "platform/windows_family.h"

#include <windows.h>

namespace platform {
namespace {

// GetTokenInformation is a stub on the Windows 95 family: looked up, and
// called on the NT family only.
using GetTokenInformationCall = BOOL(WINAPI *)(HANDLE, TOKEN_INFORMATION_CLASS, LPVOID, DWORD,
                                               PDWORD);

// TokenElevation (Windows Vista on); older headers lack the name.
constexpr int kTokenElevation = 20;

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
    const ProcessToken token(TOKEN_QUERY);
    if (!getInformation || !token.Get())
        return account;
    // TOKEN_USER followed by the SID it points to.
    alignas(TOKEN_USER) unsigned char user[128];
    DWORD size = 0;
    if (getInformation(static_cast<HANDLE>(token.Get()), TokenUser, user, sizeof user, &size)) {
        account.sid = AccountText(reinterpret_cast<const TOKEN_USER *>(user)->User.Sid);
        account.localSystem = account.sid == kSystemAccount;
    }
    DWORD elevation = 0;
    if (getInformation(static_cast<HANDLE>(token.Get()),
                       static_cast<TOKEN_INFORMATION_CLASS>(kTokenElevation), &elevation,
                       sizeof elevation, &size))
        account.elevated = elevation ? "yes" : "no";
    else
        account.elevated = "no UAC on this Windows";
    return account;
}

} // namespace

ProcessToken::ProcessToken(unsigned long access) {
    if (!OpenProcessToken(GetCurrentProcess(), access, &token_))
        token_ = nullptr;
}

ProcessToken::~ProcessToken() {
    if (token_)
        CloseHandle(token_);
}

const ProcessAccount &CurrentAccount() {
    static const ProcessAccount account = Decide();
    return account;
}

} // namespace platform
