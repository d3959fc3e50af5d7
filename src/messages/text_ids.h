#pragma once

// String table groups: the text of a language is group base + language index.
enum TextGroup : int {
    kTextTitlePrefix = 1,
    kTextWelcome = 7,
    kTextCurrentFile = 13,
    kTextTotal = 19,
    kTextFreeSpace = 25,
    kTextRequiredSpace = 31,
    kTextDetectedVersion = 37,
    kTextInstallButton = 79,
    kTextQuitButton = 85,
    kTextFinished = 91,
    kTextFinishedRestart = 97,
    kTextYes = 103,
    kTextNo = 109,
    kTextLanguageOnDrive = 115,
    kTextInsertDiskOne = 121,
    kTextNoDriveSpace = 127,
    // The uninstaller's.
    kTextUninstallQuestion = 145,
    kTextUninstallDone = 151,
    kTextUninstallKept = 157,
    kTextUninstallRestart = 163,
    kTextUninstallUserFiles = 169,
    kTextUninstallNothing = 175,
    kTextUninstallTitle = 181,
    // "Waiting for %1 to finish...": a started program that shows no window.
    kTextWaitingForProgram = 201,
    // The uninstaller's lists of the lines it ignored and the files it may not delete.
    kTextUninstallIgnored = 207,
    kTextUninstallDenied = 213,
    // The uninstaller refuses a record others may change; files in use kept.
    kTextUninstallUnsafeRecord = 219,
    kTextUninstallInUse = 225,
};

// Single strings.
constexpr int kTextInsertMarker = 139;
constexpr int kTextBadSystemYear = 140;

// The SETUP catalog's name for a string-table message shown in mode 2 of the
// message dialog: END_INSTALL for the closing message, END_INSTALL_REBOOT
// for the restart question; nullptr for every other number.
const char *CatalogNameOfMessage(int number);
