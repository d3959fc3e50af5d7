#include "platform/log_header.h"

#include "core/run_log.h"
#include "platform/process_account.h"
#include "platform/windows_family.h"

#include <windows.h>

#include <cstdio>

namespace {

std::string NowText() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth,
                  now.wDay, now.wHour, now.wMinute, now.wSecond);
    return text;
}

std::string WindowsText() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version))
        return "unknown";
    char text[256];
    std::snprintf(text, sizeof text, "%lu.%lu build %lu %s(%s family)", version.dwMajorVersion,
                  version.dwMinorVersion, version.dwBuildNumber & 0xFFFF, version.szCSDVersion,
                  platform::IsWindows95Family() ? "Windows 95" : "NT");
    return text;
}

std::string FullPath(const std::string &path) {
    char full[MAX_PATH];
    char *name = nullptr;
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, &name);
    return length > 0 && length < sizeof full ? std::string(full, length) : path;
}

std::uint32_t LocalMsOfDay() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return ((now.wHour * 60u + now.wMinute) * 60u + now.wSecond) * 1000u + now.wMilliseconds;
}

} // namespace

void WriteLogHeader(const std::string &program, const char *commandLine) {
    RunLog &log = Log();
    if (!log.IsOpen())
        return;
    log.SetClock(LocalMsOfDay);
    log.Line(program + " " + kSetupProgramVersion + ", " + NowText());
    log.Line(std::string("Command line: ") + (commandLine ? commandLine : ""));
    log.Line("Windows " + WindowsText());
    const platform::ProcessAccount &account = platform::CurrentAccount();
    log.Line("Account: " + account.name + (account.localSystem ? " (LocalSystem)" : "") +
             ", elevated: " + account.elevated);
    log.Line("ANSI code page: " + std::to_string(GetACP()));
    log.Line("Log: " + FullPath(log.Path()));
}
