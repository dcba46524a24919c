// Given to every GoogleTest compile of the Windows builds: GoogleTest's own Notification takes
// std::mutex, which the C++ library of MinGW's Win32 threads model lacks. This stand-in waits
// on an atomic flag; GoogleTest uses it only to start the threads of its own thread tests.
#pragma once

#include <atomic>
#include <chrono>
#include <thread>

namespace testing::internal {

class Notification {
  public:
    void Notify() { notified_ = true; }
    void WaitForNotification() {
        while (!notified_) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

  private:
    std::atomic<bool> notified_{false};
};

} // namespace testing::internal
