#include "uidriver.h"

#include <cstdio>

namespace ui {

Program::Program(const std::string &exe, const std::string &cwd, const std::string &arguments) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        cwd.c_str(), &startup, &info_)) {
        info_ = {};
    }
}

Program::~Program() {
    if (!info_.hProcess)
        return;
    if (WaitExit(0) == STILL_ACTIVE) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool Program::Running() const {
    return info_.hProcess && WaitExit(0) == STILL_ACTIVE;
}

DWORD Program::WaitExit(DWORD timeoutMs) const {
    if (!info_.hProcess)
        return 0;
    WaitForSingleObject(info_.hProcess, timeoutMs);
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

namespace {

struct Search {
    DWORD processId;
    HWND except;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
    auto *search = reinterpret_cast<Search *>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && window != search->except && IsWindowVisible(window)) {
        search->found.push_back(window);
    }
    return TRUE;
}

} // namespace

std::vector<HWND> WindowsOf(DWORD processId, HWND except) {
    Search search{processId, except, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(DWORD processId, const char *title, const char *className, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        for (HWND window : WindowsOf(processId)) {
            if (title && Text(window) != title)
                continue;
            if (className && ClassOf(window) != className)
                continue;
            return window;
        }
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

std::string Text(HWND window) {
    char buffer[4096];
    const LRESULT length =
        SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string ControlText(HWND dialog, int id) {
    return Text(GetDlgItem(dialog, id));
}

std::string ClassOf(HWND window) {
    char buffer[256];
    const int length = GetClassNameA(window, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

RECT ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT ChildRect(HWND dialog, int id) {
    RECT rect = ScreenRect(GetDlgItem(dialog, id));
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

std::vector<std::string> ListLines(HWND list) {
    std::vector<std::string> lines;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        // Across processes only the wide form returns proper text.
        wchar_t wide[1024] = {};
        if (SendMessageW(list, LB_GETTEXTLEN, i, 0) >= 1024)
            continue;
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
        char narrow[2048] = {};
        WideCharToMultiByte(1252, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
        lines.emplace_back(narrow);
    }
    return lines;
}

void PostClick(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

bool SaveScreen(const std::string &bmpPath) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    header.biSizeImage = stride * static_cast<DWORD>(height);
    std::vector<unsigned char> pixels(header.biSizeImage);
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
              reinterpret_cast<BITMAPINFO *>(&header), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::FILE *out = std::fopen(bmpPath.c_str(), "wb");
    if (!out)
        return false;
    const bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                    std::fwrite(&header, sizeof header, 1, out) == 1 &&
                    std::fwrite(pixels.data(), pixels.size(), 1, out) == 1;
    return std::fclose(out) == 0 && ok;
}

} // namespace ui
