#pragma once

// Setup refuses to start when the clock says this year or later: a clock
// that far off would stamp the installed files with nonsense. The cut-off is
// a build setting.
#ifndef SETUP_FIRST_REFUSED_YEAR
#define SETUP_FIRST_REFUSED_YEAR 2100
#endif

constexpr int kFirstRefusedYear = SETUP_FIRST_REFUSED_YEAR;

constexpr bool IsYearAccepted(int year) {
    return year < kFirstRefusedYear;
}
