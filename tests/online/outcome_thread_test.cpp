#include "online/outcome_thread.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace {

using online::OutcomeThread;
using screens::SubmissionOutcome;

TEST(OutcomeThread, TheResultIsHandedOutOnce) {
  OutcomeThread thread;
  thread.Start([] { return SubmissionOutcome::kConnectFailed; });
  thread.Wait();
  EXPECT_EQ(thread.Take(), SubmissionOutcome::kConnectFailed);
  EXPECT_EQ(thread.Take(), SubmissionOutcome::kNone);
}

// An error on the worker's thread would end the process in std::terminate: it
// is thrown again, once, on the thread that takes the result.
TEST(OutcomeThread, WhatTheWorkThrowsIsThrownOnTheTakingThread) {
  struct Case {
    const char* name;
    OutcomeThread::Work work;
    void (*expect)(OutcomeThread&);
  };
  const Case cases[] = {
      {"runtime_error", []() -> SubmissionOutcome { throw std::runtime_error("no socket"); },
       [](OutcomeThread& t) { EXPECT_THROW(t.Take(), std::runtime_error); }},
      {"bad_alloc", []() -> SubmissionOutcome { throw std::bad_alloc(); },
       [](OutcomeThread& t) { EXPECT_THROW(t.Take(), std::bad_alloc); }},
      {"not an exception class", []() -> SubmissionOutcome { throw 7; },
       [](OutcomeThread& t) { EXPECT_THROW(t.Take(), int); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OutcomeThread thread;
    thread.Start(c.work);
    thread.Wait();
    c.expect(thread);
    EXPECT_EQ(thread.Take(), SubmissionOutcome::kNone) << "thrown once";
  }
}

}  // namespace
