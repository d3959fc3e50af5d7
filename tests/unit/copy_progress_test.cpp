#include "files/copy_progress.h"
#include "messages/file_errors.h"

#include "test_view.h"

#include <gtest/gtest.h>

TEST(CopyProgress, PercentAndBarsTruncateAndFillOnAnEmptyTotal) {
    EXPECT_EQ(ProgressPercent(262144, 1000000), 26);
    EXPECT_EQ(ProgressPercent(999999, 1000000), 99);
    EXPECT_EQ(ProgressPercent(0, 0), 100);
    // 32-bit arithmetic would wrap done * 100 beyond 42 MB.
    EXPECT_EQ(ProgressPercent(3'000'000'000ull, 4'000'000'000ull), 75);
    EXPECT_EQ(ProgressBarWidth(262144, 1000000), 80);
    EXPECT_EQ(ProgressBarWidth(786432, 1000000), 240);
    EXPECT_EQ(ProgressBarWidth(1000000, 1000000), kProgressBarWidth);
    EXPECT_EQ(ProgressBarWidth(5, 0), kProgressBarWidth);
    EXPECT_EQ(ProgressBarWidth(2000, 1000), kProgressBarWidth); // never past its frame
}

TEST(CopyProgress, LinesCarryLabelNameAndPercent) {
    const ProgressLabels labels{" Current file: ", " Total installation: ", "[file] ", "[total] "};
    CopyProgress progress;
    progress.totalBytes = 4000;
    progress.bytesDone = 1000;
    progress.fileDone = 524288;
    progress.fileLength = 1000000;
    ProgressDisplay copying = MakeProgressDisplay(progress, labels, "D:\\DATA\\BIG.DAT", false);
    EXPECT_EQ(copying.fileLine, " Current file: BIG.DAT 52%");
    EXPECT_EQ(copying.totalLine, " Total installation: 25%");
    EXPECT_EQ(copying.fileBarWidth, 160);
    EXPECT_EQ(copying.totalBarWidth, 76);
    EXPECT_EQ(copying.fileDone, 524288u);
    EXPECT_EQ(copying.totalBytes, 4000u);

    ProgressDisplay kept = MakeProgressDisplay(progress, labels, "NOSLASH.DAT", true);
    EXPECT_EQ(kept.fileLine, "[file] NOSLASH.DAT 100%");
    EXPECT_EQ(kept.totalLine, "[total] 25%");
    EXPECT_EQ(kept.fileBarWidth, kProgressBarWidth);
}

TEST(FileErrors, CausesNameTheirCatalogMessages) {
    EXPECT_STREQ(FileErrorMessageName(kFileErrorNone), "fe_none");
    EXPECT_STREQ(FileErrorMessageName(kFileErrorBadPath), "fe_pathNotFound");
    EXPECT_STREQ(FileErrorMessageName(kFileErrorSharingViolation), "fe_sharingViolation");
    EXPECT_STREQ(FileErrorMessageName(kFileErrorDiskFull), "fe_diskFull");
    EXPECT_STREQ(FileErrorMessageName(kFileErrorEndOfFile), "fe_EOF");
    EXPECT_EQ(FileErrorMessageName(15), nullptr);
    EXPECT_EQ(FileErrorMessageName(-1), nullptr);

    EXPECT_EQ(FileErrorCauseOfWin32(112), kFileErrorDiskFull);
    EXPECT_EQ(FileErrorCauseOfWin32(32), kFileErrorSharingViolation);
    EXPECT_EQ(FileErrorCauseOfWin32(3), kFileErrorBadPath);
    EXPECT_EQ(FileErrorCauseOfWin32(424242), kFileErrorGeneric);
}

TEST(FileErrors, ReportShowsTheFileNameUnderSetup) {
    RecordingView view;
    ReportFileError(view, kFileErrorDiskFull, "C:\\GAME\\$$$$$$$$.TMP");
    ReportFileError(view, 99, "X");
    ASSERT_EQ(view.alerts.size(), 2u);
    // Without a catalog the cause's text is empty: the name alone remains.
    EXPECT_EQ(view.alerts[0].text, "C:\\GAME\\$$$$$$$$.TMP");
    EXPECT_EQ(view.alerts[0].caption, "Setup");
    EXPECT_EQ(view.alerts[1].text, "X");
    EXPECT_FALSE(view.RunEnded());
}
