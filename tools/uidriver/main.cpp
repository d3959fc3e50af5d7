// uidriver: starts setup.exe on a CD folder, reports what its window shows,
// keeps a screenshot and leaves through Quit; or installs on the selected
// drive, with screenshots before, during and after, and answers the closing
// message.
//   uidriver show SETUP_EXE CD_DIR SCREENSHOT_BMP
//   uidriver install SETUP_EXE CD_DIR SCREENSHOT_PREFIX
// or lists the shortcuts of the Programs menu (its folders too), of the
// Startup folder and of the desktop, with their fields:
//   uidriver shortcuts

#include "shortcut.h"
#include "uidriver.h"

#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kWelcome = 1000;
constexpr int kInstructions = 1003;
constexpr int kInstall = 1012;
constexpr int kQuit = 1015;
constexpr int kDrives = 1023;
constexpr int kTotalLine = 1020;
constexpr int kTotalBar = 1031;

void PrintField(const char *name, const std::string &text) {
    std::printf("%-13s", name);
    for (char c : text) {
        if (c == '\n')
            std::printf("\n%-13s", "");
        else if (c != '\r')
            std::putchar(c);
    }
    std::putchar('\n');
}

int Show(const char *exe, const char *cd, const char *bmp) {
    ui::Program setup(exe, cd);
    if (!setup.Running()) {
        std::fprintf(stderr, "uidriver: cannot start %s\n", exe);
        return 2;
    }
    HWND window = ui::WaitForWindow(setup.Id(), nullptr, nullptr, 20000);
    if (!window) {
        std::fprintf(stderr, "uidriver: no window within 20 s\n");
        return 2;
    }
    if (!GetDlgItem(window, kDrives)) {
        // Setup refused to start: it shows why in a message box.
        std::printf("message box  \"%s\"\n", ui::Text(window).c_str());
        PrintField("text", ui::ControlText(window, 0xFFFF));
        if (!ui::SaveScreen(bmp))
            std::fprintf(stderr, "uidriver: cannot write %s\n", bmp);
        PostMessageA(window, WM_COMMAND, IDOK, 0);
        const DWORD code = setup.WaitExit(10000);
        std::printf("OK pressed: setup ended with %lu\n", code);
        return code == STILL_ACTIVE ? 1 : 0;
    }
    Sleep(500); // let the picture and the first timer ticks paint
    const RECT rect = ui::ScreenRect(window);
    std::printf("window       \"%s\" at (%ld, %ld), %ld x %ld\n", ui::Text(window).c_str(),
                rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    PrintField("welcome", ui::ControlText(window, kWelcome));
    PrintField("instructions", ui::ControlText(window, kInstructions));
    for (const std::string &line : ui::ListLines(GetDlgItem(window, kDrives))) {
        PrintField("drive", line);
    }
    std::printf("buttons      [%s]%s  [%s]\n", ui::ControlText(window, kInstall).c_str(),
                IsWindowEnabled(GetDlgItem(window, kInstall)) ? "" : " (disabled)",
                ui::ControlText(window, kQuit).c_str());
    if (!ui::SaveScreen(bmp))
        std::fprintf(stderr, "uidriver: cannot write %s\n", bmp);

    ui::PostClick(window, kQuit);
    const DWORD code = setup.WaitExit(10000);
    if (code == STILL_ACTIVE) {
        std::fprintf(stderr, "uidriver: setup did not end after Quit\n");
        return 1;
    }
    std::printf("Quit pressed: setup ended with %lu\n", code);
    return 0;
}

void Save(const std::string &prefix, const char *moment) {
    const std::string bmp = prefix + "-" + moment + ".bmp";
    if (!ui::SaveScreen(bmp))
        std::fprintf(stderr, "uidriver: cannot write %s\n", bmp.c_str());
}

// The message box or message dialog setup shows, if any.
HWND FindBox(const ui::Program &setup) {
    for (HWND window : ui::WindowsOf(setup.Id())) {
        if (GetDlgItem(window, 0xFFFF) || GetDlgItem(window, 1024))
            return window;
    }
    return nullptr;
}

int Install(const char *exe, const char *cd, const std::string &prefix) {
    ui::Program setup(exe, cd);
    HWND window =
        setup.Running() ? ui::WaitForWindow(setup.Id(), nullptr, nullptr, 20000) : nullptr;
    if (!window || !GetDlgItem(window, kDrives)) {
        std::fprintf(stderr, "uidriver: setup shows no drive list\n");
        return 2;
    }
    Sleep(500);
    HWND list = GetDlgItem(window, kDrives);
    const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    const std::vector<std::string> lines = ui::ListLines(list);
    if (selected < 0 || static_cast<std::size_t>(selected) >= lines.size() ||
        !IsWindowEnabled(GetDlgItem(window, kInstall))) {
        std::fprintf(stderr, "uidriver: no drive to install on\n");
        return 1;
    }
    PrintField("drive", lines[static_cast<std::size_t>(selected)]);
    Save(prefix, "before");
    ui::PostClick(window, kInstall);

    bool seenBars = false;
    // Each new text of the message area (the script's MESSAGE lines, with
    // the picture that goes with it) gets a screenshot of its own.
    std::string message;
    int messageShots = 0;
    HWND box = nullptr;
    const DWORD start = GetTickCount();
    while (!box && GetTickCount() - start < 120000) {
        if (!seenBars && IsWindowVisible(GetDlgItem(window, kTotalBar))) {
            Sleep(50);
            Save(prefix, "during");
            seenBars = true;
        }
        const std::string text = ui::ControlText(window, kInstructions);
        if (seenBars && text != message && !text.empty() && messageShots < 3) {
            message = text;
            Sleep(400); // the picture and the bars catch up
            Save(prefix, ("during-" + std::to_string(2 + messageShots++)).c_str());
        }
        box = FindBox(setup);
        if (!box)
            Sleep(5);
    }
    if (!box) {
        std::fprintf(stderr, "uidriver: no closing message within 2 minutes\n");
        return 1;
    }
    Sleep(200);
    PrintField("progress", ui::ControlText(window, kTotalLine));
    PrintField("message", ui::ControlText(box, GetDlgItem(box, 1024) ? 1024 : 0xFFFF));
    Save(prefix, "after");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    const DWORD code = setup.WaitExit(15000);
    if (code == STILL_ACTIVE) {
        std::fprintf(stderr, "uidriver: setup did not end after the closing message\n");
        return 1;
    }
    std::printf("OK pressed: setup ended with %lu\n", code);
    return 0;
}

// Every .LNK below `dir`, named from `shown` on; the folder `skip` (the
// Startup folder inside the Programs menu) is left to its own listing.
void ListShortcuts(const std::string &dir, const std::string &shown,
                   const std::string &skip = std::string()) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (lstrcmpiA((dir + "\\" + name).c_str(), skip.c_str()) != 0)
                ListShortcuts(dir + "\\" + name, shown + "\\" + name, skip);
            continue;
        }
        if (name.size() < 4 || lstrcmpiA(name.c_str() + name.size() - 4, ".lnk") != 0)
            continue;
        const ui::Shortcut link = ui::ReadShortcut(dir + "\\" + name);
        std::printf("%s\\%s\n", shown.c_str(), name.c_str());
        if (!link.loaded) {
            std::printf("  (cannot be read)\n");
            continue;
        }
        std::printf("  target       %s\n", link.target.c_str());
        if (!link.arguments.empty())
            std::printf("  arguments    %s\n", link.arguments.c_str());
        std::printf("  start in     %s\n", link.workingDirectory.c_str());
        std::printf("  description  %s\n", link.description.c_str());
        if (!link.iconPath.empty())
            std::printf("  icon         %s,%d\n", link.iconPath.c_str(), link.iconIndex);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

int Shortcuts() {
    CoInitialize(nullptr);
    const std::string startup = ui::ShellFolder(CSIDL_STARTUP);
    ListShortcuts(ui::ShellFolder(CSIDL_PROGRAMS), "Programs", startup);
    ListShortcuts(startup, "Startup");
    ListShortcuts(ui::ShellFolder(CSIDL_DESKTOPDIRECTORY), "Desktop");
    CoUninitialize();
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    if (argc == 5 && std::strcmp(argv[1], "show") == 0)
        return Show(argv[2], argv[3], argv[4]);
    if (argc == 5 && std::strcmp(argv[1], "install") == 0)
        return Install(argv[2], argv[3], argv[4]);
    if (argc == 2 && std::strcmp(argv[1], "shortcuts") == 0)
        return Shortcuts();
    std::fprintf(stderr, "usage: uidriver show SETUP_EXE CD_DIR SCREENSHOT_BMP\n"
                         "       uidriver install SETUP_EXE CD_DIR SCREENSHOT_PREFIX\n"
                         "       uidriver shortcuts\n");
    return 2;
}
