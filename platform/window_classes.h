// The registered window classes and their window procedures, shared by both
// platform implementations.
#pragma once

#include <map>
#include <string>

#include "platform/platform.h"

namespace platform {

class WindowClasses {
 public:
  void Register(const std::string& className, WindowProc proc) {
    classes_[className] = std::move(proc);
  }
  bool Has(const std::string& className) const { return classes_.count(className) != 0; }
  // A copy of the class's procedure (the call may register classes), empty when
  // the class has none.
  WindowProc ProcOf(const std::string& className) const {
    auto it = classes_.find(className);
    return it == classes_.end() ? WindowProc() : it->second;
  }

 private:
  std::map<std::string, WindowProc> classes_;
};

}  // namespace platform
