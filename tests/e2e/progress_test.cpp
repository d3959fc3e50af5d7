// The window during a long copy, watched from outside as a user sees it:
// the current-file line and the bars move many times a second, the window
// answers while it copies, and the end shows the last file at 100 %.

#include "e2e_files.h"
#include "e2e_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

using namespace e2e;

namespace {

// The tree starts with this many folders of small files and doubles until
// the copy lasts long enough to count frames, however fast the machine.
constexpr int kFirstFolders = 4;
constexpr int kMostFolders = 64;
constexpr int kFilesPerFolder = 400;
constexpr std::size_t kFileBytes = 4096;
constexpr DWORD kLeastCopyMs = 1000;

std::string FileName(int folder, int file) {
    char name[32];
    std::snprintf(name, sizeof name, "D%d\\F%04d.DAT", folder, file);
    return name;
}

std::string FileBytes(int folder, int file) {
    return std::string(kFileBytes, static_cast<char>('a' + (folder * 7 + file) % 26));
}

// Adds the folders from `from` up to `to` to the CD's tree of small files.
void GrowTree(const Cd &cd, int from, int to) {
    CreateDirectoryA(cd.Path("TREE").c_str(), nullptr);
    for (int folder = from; folder < to; ++folder) {
        CreateDirectoryA(cd.Path("TREE\\D" + std::to_string(folder)).c_str(), nullptr);
        for (int file = 0; file < kFilesPerFolder; ++file)
            WriteBytes(cd.Path("TREE\\" + FileName(folder, file)), FileBytes(folder, file));
    }
}

bool EndsWith(const std::string &text, const std::string &end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

int Width(HWND window, int id) {
    const RECT rect = ui::ChildRect(window, id);
    return rect.right - rect.left;
}

// What the progress area shows at one moment.
struct Shown {
    std::string fileLine;
    std::string totalLine;
    int fileBar = 0;
    int totalBar = 0;
    bool operator==(const Shown &other) const {
        return fileLine == other.fileLine && totalLine == other.totalLine &&
               fileBar == other.fileBar && totalBar == other.totalBar;
    }
};

// Read from the system's copy of the text: no message, so no wait for the
// window's next frame.
std::string TextOf(HWND window, int id) {
    char buffer[512];
    const int length = GetWindowTextA(GetDlgItem(window, id), buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

Shown ShownNow(HWND window) {
    return {TextOf(window, 1018), TextOf(window, 1020), Width(window, 1030), Width(window, 1031)};
}

HWND ClosingBox(const ui::Program &setup) {
    for (HWND window : ui::WindowsOf(setup.Id())) {
        if (GetDlgItem(window, 0xFFFF) || GetDlgItem(window, 1024))
            return window;
    }
    return nullptr;
}

// What the window showed during one installation, watched from the click
// on Install to the closing message.
struct Watch {
    std::vector<DWORD> changes; // when what is shown changed while copying
    DWORD longestAnswer = 0;
    DWORD copyStart = 0;
    DWORD copyEnd = 0;
    int unanswered = 0;
    HWND box = nullptr;
    DWORD Copying() const { return copyEnd - copyStart; }
};

// Presses Install and watches. Each round asks the window for an answer
// first: during the copy it answers once a frame, so the rounds follow its
// frames.
Watch WatchInstall(HWND window, const ui::Program &setup) {
    Watch watch;
    Shown last;
    ui::PostClick(window, 1012);
    const DWORD clicked = GetTickCount();
    while (!(watch.box = ClosingBox(setup)) && GetTickCount() - clicked < 120000) {
        const DWORD asked = GetTickCount();
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer))
            ++watch.unanswered;
        const DWORD now = GetTickCount();
        watch.longestAnswer = std::max(watch.longestAnswer, now - asked);
        // The copy runs from PROGRESS START showing the bars to 100 %.
        if (!watch.copyStart && IsWindowVisible(GetDlgItem(window, 1031)))
            watch.copyStart = now;
        const Shown shown = ShownNow(window);
        if (watch.copyStart && !watch.copyEnd && !(shown == last)) {
            watch.changes.push_back(now);
            if (EndsWith(shown.totalLine, "100%"))
                watch.copyEnd = now;
        }
        last = shown;
        Sleep(1);
    }
    return watch;
}

} // namespace

TEST(Progress, LongCopyRedrawsManyTimesASecondAndEndsAtTheLastFileAtFullBars) {
    RemoveTree("C:\\e2e-frames");
    auto files = ScriptCd("e2e-frames",
                          "MKDIR TREE *DESTDIR\r\nPROGRESS START\r\nCOPYDIR TREE *DESTDIR\\TREE\r\n"
                          "COPY LAST.DAT *DESTDIR\r\nPROGRESS END\r\nALLDONE\r\n");
    files["LAST.DAT"] = std::string(3 * kFileBytes, 'z');
    Cd cd("progress-frames", files);

    // The measure means something only over a copy that lasts: a machine
    // that copies the tree too quickly gets it again, twice as big.
    std::optional<ui::Program> setup;
    HWND window = nullptr;
    Watch watch;
    int folders = 0;
    for (int grown = kFirstFolders; grown <= kMostFolders; grown *= 2) {
        GrowTree(cd, folders, grown);
        folders = grown;
        WaitForSetupWindowsToGo();
        setup.emplace(kSetupExe, cd.Dir());
        window = WaitForMainWindow(*setup);
        ASSERT_NE(window, nullptr);
        Sleep(100);
        watch = WatchInstall(window, *setup);
        ASSERT_NE(watch.box, nullptr) << "no closing message within two minutes";
        ASSERT_NE(watch.copyEnd, 0u) << "the total line never showed 100%";
        if (watch.Copying() >= kLeastCopyMs || grown == kMostFolders)
            break;
        PostMessageA(watch.box, WM_COMMAND, IDOK, 0);
        ASSERT_EQ(setup->WaitExit(15000), 0u);
        RemoveTree("C:\\e2e-frames");
    }
    const DWORD copying = watch.Copying();
    ASSERT_GE(copying, kLeastCopyMs)
        << "the copy of " << folders * kFilesPerFolder << " files was too quick to count frames";
    DWORD longestGap = 0, before = watch.copyStart;
    for (const DWORD change : watch.changes) {
        longestGap = std::max(longestGap, change - before);
        before = change;
    }
    const double perSecond = watch.changes.size() * 1000.0 / copying;
    std::printf("copy of %d files %lu ms, %zu changes seen (%.1f a second), longest gap %lu ms, "
                "longest answer %lu ms\n",
                folders * kFilesPerFolder, static_cast<unsigned long>(copying),
                watch.changes.size(), perSecond, static_cast<unsigned long>(longestGap),
                static_cast<unsigned long>(watch.longestAnswer));
    EXPECT_GE(perSecond, 25.0);
    EXPECT_LE(longestGap, 500u);
    EXPECT_EQ(watch.unanswered, 0);
    EXPECT_LE(watch.longestAnswer, 500u);

    // The bars keep what the end showed after PROGRESS END hides them.
    const Shown end = ShownNow(window);
    EXPECT_TRUE(EndsWith(end.fileLine, "LAST.DAT 100%")) << end.fileLine;
    EXPECT_TRUE(EndsWith(end.totalLine, "100%")) << end.totalLine;
    EXPECT_EQ(end.fileBar, 306);
    EXPECT_EQ(end.totalBar, 306);

    PostMessageA(watch.box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(setup->WaitExit(15000), 0u);
    EXPECT_EQ(ReadBytes("C:\\e2e-frames\\LAST.DAT"), files["LAST.DAT"]);
    for (int folder = 0; folder < folders; ++folder) {
        for (int file : {0, kFilesPerFolder - 1}) {
            EXPECT_EQ(ReadBytes("C:\\e2e-frames\\TREE\\" + FileName(folder, file)),
                      FileBytes(folder, file));
        }
    }
    RemoveTree("C:\\e2e-frames");
}
