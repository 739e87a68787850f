// One case that always skips. Run as a test that must fail, it shows that a
// skipped case fails the suite (cmake/SkippedCasesFail.cmake) instead of
// passing unseen.
#include <gtest/gtest.h>

TEST(SkippedCase, SkipsOnPurpose)
{
  GTEST_SKIP() << "skipped on purpose: the suite must count this as a failure";
}
