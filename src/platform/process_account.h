#pragma once

#include <string>

namespace platform {

// Who runs this process, decided once: deployment tools start setup as
// LocalSystem (a computer startup script, a software distribution service)
// or as an elevated administrator, and the log tells which.
struct ProcessAccount {
    std::string name;         // the user name; "unknown" when the system cannot tell
    std::string sid;          // its "S-1-..." text (NT family; "" when unknown)
    bool localSystem = false; // the system's own account (NT family only)
    // "yes", "no", "no UAC on this Windows" or "not applicable" (the
    // Windows 95 family has no accounts with rights).
    std::string elevated;
};

const ProcessAccount &CurrentAccount();

// The process's own token, opened for the access asked (null when refused,
// and on the Windows 95 family), closed with the object.
class ProcessToken {
public:
    explicit ProcessToken(unsigned long access);
    ~ProcessToken();
    ProcessToken(const ProcessToken &) = delete;
    ProcessToken &operator=(const ProcessToken &) = delete;
    void *Get() const { return token_; }

private:
    void *token_ = nullptr;
};

} // namespace platform
