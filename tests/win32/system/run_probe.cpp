// A program that setup starts in the tests: it writes its command line and
// working directory into "probe-out.txt" of its working directory (appending,
// so that each start adds two lines) and ends. With "sleepN" or "sleep N" it first waits
// N milliseconds, so that a caller returning early would miss the file. With
// "exit259" it ends with the exit code that STILL_ACTIVE has.

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    const char *sleep = std::strstr(commandLine, "sleep");
    if (sleep)
        Sleep(static_cast<DWORD>(std::atoi(sleep + 5)));
    char dir[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, dir);
    const std::string text = std::string(GetCommandLineA()) + "\r\n" + dir + "\r\n";
    HANDLE file = CreateFileA("probe-out.txt", GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 2;
    SetFilePointer(file, 0, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return std::strstr(commandLine, "exit259") ? 259 : 0;
}
