#include "bench_memory.h"

#include "uidriver.h"

#include <psapi.h>

namespace {

using MemoryInfoFunction = BOOL(WINAPI *)(HANDLE, PPROCESS_MEMORY_COUNTERS, DWORD);

MemoryInfoFunction FindMemoryInfo() {
    if (HMODULE kernel = GetModuleHandleA("kernel32.dll")) {
        if (FARPROC found = GetProcAddress(kernel, "K32GetProcessMemoryInfo"))
            return reinterpret_cast<MemoryInfoFunction>(reinterpret_cast<void (*)()>(found));
    }
    if (HMODULE psapi = LoadLibraryA("psapi.dll")) {
        if (FARPROC found = GetProcAddress(psapi, "GetProcessMemoryInfo"))
            return reinterpret_cast<MemoryInfoFunction>(reinterpret_cast<void (*)()>(found));
    }
    return nullptr;
}

} // namespace

SIZE_T PeakWorkingSet(DWORD processId) {
    static const MemoryInfoFunction memoryInfo = FindMemoryInfo();
    if (!memoryInfo)
        return 0;
    SIZE_T peak = 0;
    if (HANDLE process =
            OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId)) {
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        if (memoryInfo(process, &counters, sizeof counters))
            peak = counters.PeakWorkingSetSize;
        CloseHandle(process);
    }
    return peak;
}

SIZE_T IdlePeakWorkingSet(const char *exe, const char *cwd, int quitButton, DWORD settleMs) {
    ui::Program program(exe, cwd);
    HWND window = ui::WaitForWindow(program.Id(), nullptr, nullptr, 30000);
    if (!window)
        return 0;
    Sleep(settleMs);
    const SIZE_T peak = PeakWorkingSet(program.Id());
    ui::PostClick(window, quitButton);
    program.WaitExit(10000);
    return peak;
}
