// The window during a long copy, watched from outside as a user sees it:
// the current-file line and the bars move many times a second, the window
// answers while it copies, and the end shows the last file at 100 %.

#include "e2e_files.h"
#include "e2e_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace e2e;

namespace {

constexpr int kFolders = 4;
constexpr int kFilesPerFolder = 400;
constexpr std::size_t kFileBytes = 4096;

std::string FileName(int folder, int file) {
    char name[32];
    std::snprintf(name, sizeof name, "D%d\\F%04d.DAT", folder, file);
    return name;
}

std::string FileBytes(int folder, int file) {
    return std::string(kFileBytes, static_cast<char>('a' + (folder * 7 + file) % 26));
}

// A CD whose script copies a tree of small files, then one file last.
void WriteCd(const Cd &cd) {
    CreateDirectoryA(cd.Path("TREE").c_str(), nullptr);
    for (int folder = 0; folder < kFolders; ++folder) {
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

} // namespace

TEST(Progress, LongCopyRedrawsManyTimesASecondAndEndsAtTheLastFileAtFullBars) {
    RemoveTree("C:\\e2e-frames");
    auto files = ValidCd('A');
    files["PXD.INI"] = "[general]\r\nproduct=Demo Title\r\nsourcedirectory=.\r\n"
                       "installdirectory=\\e2e-frames\r\n[configuration]\r\ndiskspacereq=1\r\n";
    files["SETUP.INF"] = "MKDIR TREE *DESTDIR\r\nPROGRESS START\r\nCOPYDIR TREE *DESTDIR\\TREE\r\n"
                         "COPY LAST.DAT *DESTDIR\r\nPROGRESS END\r\nALLDONE\r\n";
    files["LAST.DAT"] = std::string(3 * kFileBytes, 'z');
    Cd cd("progress-frames", files);
    WriteCd(cd);

    ui::Program setup(kSetupExe, cd.Dir());
    HWND window = WaitForMainWindow(setup);
    ASSERT_NE(window, nullptr);
    Sleep(100);
    ui::PostClick(window, 1012);

    // Each round asks the window for an answer first: during the copy it
    // answers once a frame, so the rounds follow its frames.
    std::vector<DWORD> changes; // when what is shown changed while copying
    DWORD longestAnswer = 0, copyStart = 0, copyEnd = 0;
    int unanswered = 0;
    Shown last;
    HWND box = nullptr;
    const DWORD clicked = GetTickCount();
    while (!(box = ClosingBox(setup)) && GetTickCount() - clicked < 60000) {
        const DWORD asked = GetTickCount();
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer))
            ++unanswered;
        const DWORD now = GetTickCount();
        longestAnswer = std::max(longestAnswer, now - asked);
        // The copy runs from PROGRESS START showing the bars to 100 %.
        if (!copyStart && IsWindowVisible(GetDlgItem(window, 1031)))
            copyStart = now;
        const Shown shown = ShownNow(window);
        if (copyStart && !copyEnd && !(shown == last)) {
            changes.push_back(now);
            if (EndsWith(shown.totalLine, "100%"))
                copyEnd = now;
        }
        last = shown;
        Sleep(1);
    }
    ASSERT_NE(box, nullptr) << "no closing message within a minute";
    ASSERT_NE(copyEnd, 0u) << "the total line never showed 100%";

    // The measure means something only over a copy that lasts.
    const DWORD copying = copyEnd - copyStart;
    ASSERT_GE(copying, 1000u) << "the copy was too quick to count frames";
    DWORD longestGap = 0, before = copyStart;
    for (const DWORD change : changes) {
        longestGap = std::max(longestGap, change - before);
        before = change;
    }
    const double perSecond = changes.size() * 1000.0 / copying;
    std::printf("copy %lu ms, %zu changes seen (%.1f a second), longest gap %lu ms, "
                "longest answer %lu ms\n",
                static_cast<unsigned long>(copying), changes.size(), perSecond,
                static_cast<unsigned long>(longestGap), static_cast<unsigned long>(longestAnswer));
    EXPECT_GE(perSecond, 25.0);
    EXPECT_LE(longestGap, 500u);
    EXPECT_EQ(unanswered, 0);
    EXPECT_LE(longestAnswer, 500u);

    // The bars keep what the end showed after PROGRESS END hides them.
    const Shown end = ShownNow(window);
    EXPECT_TRUE(EndsWith(end.fileLine, "LAST.DAT 100%")) << end.fileLine;
    EXPECT_TRUE(EndsWith(end.totalLine, "100%")) << end.totalLine;
    EXPECT_EQ(end.fileBar, 306);
    EXPECT_EQ(end.totalBar, 306);

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(setup.WaitExit(15000), 0u);
    EXPECT_EQ(ReadBytes("C:\\e2e-frames\\LAST.DAT"), files["LAST.DAT"]);
    for (int folder = 0; folder < kFolders; ++folder) {
        for (int file : {0, kFilesPerFolder - 1}) {
            EXPECT_EQ(ReadBytes("C:\\e2e-frames\\TREE\\" + FileName(folder, file)),
                      FileBytes(folder, file));
        }
    }
    RemoveTree("C:\\e2e-frames");
}
