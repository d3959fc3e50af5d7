#pragma once
// Force-included into every Windows test program. The CD programs are built
// with MinGW's win32-threads compiler, whose library has no std::mutex or
// std::condition_variable; GoogleTest needs them only for its Notification
// class, so that one is given here on a Win32 event.
#ifdef __cplusplus
#include <windows.h>

namespace testing::internal {
class Notification {
public:
    Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification &) = delete;
    Notification &operator=(const Notification &) = delete;
    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};
} // namespace testing::internal
#define GTEST_HAS_NOTIFICATION_ 1
#endif
