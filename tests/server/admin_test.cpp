// The operator's commands on an SQLite store: listing with addresses,
// removing, banning, and a backup that opens as the store stood.
#include "server/admin.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "server/store.h"
#include "tests/support/temp_dir.h"

namespace {

class AdminTest : public ::testing::Test {
 protected:
  AdminTest() {
    auto store = scores::OpenStore(db_);
    store->SubmitWithToken("a", 100, 700, {"Ann", "Mars", 50, 100, "198.51.100.7"});
    store->SubmitWithToken("b", 200, 800, {"Bob", "Venus", 90, 200, "203.0.113.5"});
  }

  // The exit status; the output in out_ and err_.
  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    return scores::RunAdminCommand(args, out_, err_);
  }

  testing_support::TempDir dir_;
  const std::string db_ = (dir_.path() / "scores.db").string();
  std::ostringstream out_, err_;
};

TEST_F(AdminTest, CommandsActOnTheStoreAndRefuseBadInput) {
  const struct {
    std::vector<std::string> args;
    int status;
    const char* output;  // a part of the standard output
  } kCases[] = {
      {{"admin", "--db", db_, "list"}, 0, "2\t1970-01-01\t90\tBob\tVenus\t203.0.113.5\tnone\n1\t"},
      {{"admin", "--db", db_, "list", "1"}, 0, "Bob"},
      {{"admin", "--db", db_, "list", "0"}, 2, ""},
      {{"admin", "--db", db_, "remove", "1"}, 0, "removed entry 1"},
      {{"admin", "--db", db_, "remove", "1"}, 1, ""},
      {{"admin", "--db", db_, "remove", "x1"}, 2, ""},
      {{"admin", "--db", db_, "ban", "203.0.113.5"}, 0, "banned 203.0.113.5"},
      {{"admin", "--db", db_, "ban", "2001:db8::1"}, 0, "banned"},
      {{"admin", "--db", db_, "ban", "not-an-address"}, 2, ""},
      {{"admin", "--db", db_, "bans"}, 0, "2001:db8::1\n203.0.113.5\n"},
      {{"admin", "--db", db_, "unban", "2001:db8::1"}, 0, "unbanned"},
      {{"admin", "--db", db_, "unban", "2001:db8::1"}, 1, ""},
      {{"admin", "--db", db_, "frobnicate"}, 2, ""},
      {{"admin"}, 2, ""},
      {{"backup", "--db", "postgresql://localhost/x", "copy.db"}, 2, ""},
      {{"backup", "--db", db_}, 2, ""},
  };
  for (const auto& c : kCases) {
    std::string line;
    for (const std::string& a : c.args) line += a + " ";
    SCOPED_TRACE(line);
    EXPECT_EQ(Run(c.args), c.status) << err_.str();
    EXPECT_NE(out_.str().find(c.output), std::string::npos) << out_.str();
    if (c.status == 2) {
      EXPECT_FALSE(err_.str().empty());
    }
  }
  const auto store = scores::OpenStore(db_);
  EXPECT_EQ(store->CountEntries(), 1);
  EXPECT_EQ(store->Bans(), std::vector<std::string>{"203.0.113.5"});
}

// The copy is the store as it stood; restoring is putting the file in place.
TEST_F(AdminTest, BackupOpensAsTheStoreStood) {
  const std::string copy = (dir_.path() / "backup.db").string();
  ASSERT_EQ(Run({"backup", "--db", db_, copy}), 0) << err_.str();
  EXPECT_FALSE(std::filesystem::exists(copy + ".partial"));
  scores::OpenStore(db_)->RemoveEntry(2);
  std::filesystem::rename(copy, db_);
  const auto restored = scores::OpenStore(db_);
  ASSERT_EQ(restored->CountEntries(), 2);
  EXPECT_EQ(restored->Top(1)[0].name, "Bob");
  EXPECT_EQ(restored->Recent(1)[0].address, "203.0.113.5");

  EXPECT_EQ(Run({"backup", "--db", (dir_.path() / "none" / "x.db").string(), copy}), 1);
  EXPECT_FALSE(std::filesystem::exists(copy));
  EXPECT_FALSE(std::filesystem::exists(copy + ".partial"));
}

}  // namespace
