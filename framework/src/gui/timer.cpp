// A timer's settings; each (re)starts it, as the backend's clock does.

#include "framework/controls.h"

namespace fw {

void Timer::SetRunMode(int64_t mode) {
  runMode_ = mode;
  Restart();
}

void Timer::SetPeriod(int64_t milliseconds) {
  period_ = milliseconds;
  Restart();
}

}  // namespace fw
