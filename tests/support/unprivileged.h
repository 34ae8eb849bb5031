// Permission bits do not stop root, and CI runs the tests as root: a test of a
// refused read-only file runs its work through this. Under root the work runs
// in a child process as the unprivileged user "nobody", which is given the
// current directory's tree first; under any other user it runs in a child as
// that user. The work's result comes back as text.
#pragma once

#include <functional>
#include <string>

namespace testing_support {

// The text `work` returns, or a line that starts "child:" saying why the child
// could not run it.
std::string RunUnprivileged(const std::function<std::string()>& work);

}  // namespace testing_support
