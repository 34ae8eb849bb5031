#include "shell/fatal_error.h"

#include <cstdio>
#include <new>

#include "shell/main_loop.h"

namespace shell {

std::string DescribeError(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::bad_alloc&) {
    return "Not enough memory to go on.";
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "An unexpected error ended the program.";
  }
}

int ReportFatalError(platform::Platform& platform, bool haveDisplay, const std::string& text) {
  if (haveDisplay) {
    platform.MessageBox(0, text, kFatalCaption, platform::MB_ICONERROR);
  } else {
    std::fprintf(stderr, "%s: %s\n", kFatalCaption, text.c_str());
  }
  return 1;
}

}  // namespace shell
