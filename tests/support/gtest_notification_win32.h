// GoogleTest for the win32-thread mingw toolchain, whose C++ library has no std::mutex or
// std::condition_variable. GoogleTest builds one class on them, Notification (its threads wait on
// it before they start); this header, included ahead of everything in GoogleTest and in the
// tests, provides that class on a Windows event instead, and tells GoogleTest it is provided.
#pragma once

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
 public:
  Notification();
  ~Notification();
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  // Lets every thread waiting for it go on, now and later.
  void Notify();
  // Blocks until Notify has been called.
  void WaitForNotification();

 private:
  void* event_;  // a manual-reset event, created and closed with the notification
};

}  // namespace testing::internal
