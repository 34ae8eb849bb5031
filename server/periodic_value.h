// A value read from the store at most once per period and shared by every
// request in between (the operator's bans, the world page's country list).
#pragma once

#include <mutex>

namespace scores {

template <typename T>
class PeriodicValue {
 public:
  explicit PeriodicValue(double periodSeconds) : period_(periodSeconds) {}

  // `use(value)`, the value read again with `read()` first when the last
  // reading is a period or more older than `now` (steady seconds).
  template <typename Read, typename Use>
  auto With(double now, Read read, Use use) {
    std::lock_guard lock(mutex_);
    if (now - readAt_ >= period_) {
      value_ = read();
      readAt_ = now;
    }
    return use(static_cast<const T&>(value_));
  }

 private:
  const double period_;
  std::mutex mutex_;
  T value_{};
  double readAt_ = -1e18;
};

}  // namespace scores
