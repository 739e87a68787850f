// GoogleTest's Notification on a Win32 event, for the cross compilers whose
// C++ library (Win32 threads) has no std::mutex or std::condition_variable.
// Forced into GoogleTest's build by files.cmake, with GTEST_HAS_NOTIFICATION_
// telling GoogleTest's header that the class exists already.
#pragma once
#include <windows.h>

namespace testing {
namespace internal {

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

}  // namespace internal
}  // namespace testing
