#include "platform/file_error.h"

#include <errno.h>
#include <gtest/gtest.h>

namespace {

TEST(FileErrorTest, MessageNamesFileFailureAndReason) {
  const platform::FileError shortRead("data/settings.dat", "cannot read 18 bytes",
                                      "file is only 5 bytes long");
  EXPECT_STREQ(shortRead.what(),
               "data/settings.dat: cannot read 18 bytes: file is only 5 bytes long");
  EXPECT_EQ(shortRead.path(), "data/settings.dat");

  const platform::FileError denied("data/records.dat", "cannot open for reading and writing",
                                   EACCES);
  EXPECT_STREQ(denied.what(),
               "data/records.dat: cannot open for reading and writing: Permission denied");
}

}  // namespace
