// Errors that end the program. Every boundary (the program entry, the engine
// runs, the submission worker, whose errors reach the main thread) reports them
// the same way: the fatal-error box when a window can be shown, standard error
// otherwise; then the program ends with status 1.
#pragma once

#include <exception>
#include <string>

#include "platform/platform.h"

namespace shell {

// What the report says: the error's own words, or plain words for errors that
// carry none of their own.
std::string DescribeError(const std::exception_ptr& error);

// Shows the text in the fatal-error box (on standard error when there is no
// display) and returns the program's exit status.
int ReportFatalError(platform::Platform& platform, bool haveDisplay, const std::string& text);

}  // namespace shell
