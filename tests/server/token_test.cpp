// Signed one-time tokens: what the game carries back fits its record and
// passes the service's reading of it, anything altered or signed under another
// secret is refused, the secret file is checked the way ssh checks a key, and
// zq-scores instances sharing a secret and a database take each other's tokens.
#include <gtest/gtest.h>
#include <httplib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "protocol/score_record.h"
#include "protocol/version_reply.h"
#include "server/record_check.h"
#include "server/service.h"
#include "server/token_secret.h"
#include "server/token_signer.h"
#include "tests/support/child_process.h"
#include "tests/support/score_server.h"
#include "tests/support/temp_dir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kSecret(32, 7);

TEST(TokenSigner, TokenFitsTheGamesRecordAndReadsBack) {
  const scores::TokenSigner signer(kSecret);
  const std::int64_t now = 1700000000;
  const std::string token = signer.Issue(now);
  EXPECT_EQ(token.size(), scores::kTokenLength);
  EXPECT_NE(signer.Issue(now), token);  // the random part differs

  // The longest record the game sends: ten-letter name and country, the largest score.
  const std::string record = protocol::BuildRecord("Abcdefghij", 2147483647, token, "Klmnopqrst");
  const std::string encoded = protocol::EncodeRecord(record);
  EXPECT_LE(encoded.size(), scores::kMaxEncodedRecord);
  const auto decoded = protocol::DecodeRecord(encoded);
  ASSERT_TRUE(decoded);
  const scores::RecordCheck check = scores::CheckRecord(*decoded);
  ASSERT_TRUE(check.record) << check.reason;
  EXPECT_EQ(check.record->token, token);
  EXPECT_EQ(signer.IssuedAt(check.record->token), now);
}

TEST(TokenSigner, AlteredOrForeignValuesAreRefused) {
  const scores::TokenSigner signer(kSecret);
  const std::string good = signer.Issue(1700000000);
  const auto altered = [&good](std::size_t at) {
    std::string t = good;
    t[at] = t[at] == 'f' ? 'e' : 'f';
    return t;
  };
  std::string upper = good;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const struct {
    const char* what;
    std::string token;
  } cases[] = {
      {"issue time altered", altered(7)},
      {"random part altered", altered(8)},
      {"MAC altered", altered(scores::kTokenLength - 1)},
      {"cut short", good.substr(0, scores::kTokenLength - 2)},
      {"made longer", good + "00"},
      {"upper case", upper},
      {"not hexadecimal", good.substr(0, scores::kTokenLength - 1) + "g"},
      {"empty", ""},
      {"signed with another secret", scores::TokenSigner(Bytes(32, 8)).Issue(1700000000)},
  };
  ASSERT_NE(upper, good);
  for (const auto& c : cases) {
    EXPECT_FALSE(signer.IssuedAt(c.token)) << c.what << ": " << c.token;
  }
  EXPECT_THROW(scores::TokenSigner(Bytes(31, 7)), std::invalid_argument);
}

// A secret file of `size` bytes with `mode`, or a directory, or nothing.
struct SecretCase {
  const char* what;
  int size;  // -1: no file, -2: a directory
  mode_t mode;
};

std::string MakeSecret(const std::filesystem::path& dir, const SecretCase& c) {
  const std::filesystem::path path = dir / "secret";
  if (c.size == -2) std::filesystem::create_directory(path);
  if (c.size >= 0) {
    std::ofstream(path) << std::string(static_cast<std::size_t>(c.size), 'k');
    chmod(path.c_str(), c.mode);
  }
  return path.string();
}

TEST(TokenSecret, BadFilesAreRefusedAndTheServiceDoesNotStart) {
  const SecretCase cases[] = {
      {"missing", -1, 0600},
      {"a directory", -2, 0700},
      {"31 bytes", 31, 0600},
      {"readable by others", 32, 0644},
      {"readable by the group", 32, 0640},
      {"writable by the group", 32, 0620},
      {"longer than 4096 bytes", 4097, 0600},
  };
  for (const SecretCase& c : cases) {
    SCOPED_TRACE(c.what);
    testing_support::TempDir dir;
    const std::string path = MakeSecret(dir.path(), c);
    try {
      scores::ReadTokenSecret(path);
      ADD_FAILURE() << "accepted";
    } catch (const std::runtime_error& error) {
      EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
    }
    // The message goes to standard error; read it through a shell.
    testing_support::ChildProcess program(
        {"/bin/sh", "-c",
         std::string("exec '") + ZQ_SCORES_BIN + "' --port 0 --token-secret '" + path + "' 2>&1"});
    const auto line = program.ReadLine();
    ASSERT_TRUE(line);
    EXPECT_EQ(line->rfind("zq-scores: token secret " + path + ": ", 0), 0u) << *line;
    EXPECT_EQ(program.Wait(), 2);
  }
  testing_support::TempDir dir;
  EXPECT_EQ(scores::ReadTokenSecret(MakeSecret(dir.path(), {"good", 32, 0400})), Bytes(32, 'k'));
}

// Two programs on one database with the same secret take each other's tokens,
// once; a third with a secret of its own takes none of them.
TEST(ScoreServerProgram, InstancesSharingASecretTakeEachOthersTokens) {
  testing_support::TempDir dir;
  const std::string db = (dir.path() / "scores.db").string();
  std::filesystem::create_directory(dir.path() / "other");
  const std::string shared = MakeSecret(dir.path(), {"shared", 40, 0600});
  const std::string own = MakeSecret(dir.path() / "other", {"own", 32, 0600});
  testing_support::ScoreServerProcess a(db, {"--token-secret", shared});
  testing_support::ScoreServerProcess b(db, {"--token-secret", shared});
  testing_support::ScoreServerProcess c(db, {"--token-secret", own});
  ASSERT_TRUE(a.ready() && b.ready() && c.ready());

  const auto token = [](const testing_support::ScoreServerProcess& from) {
    const auto reply = httplib::Client("127.0.0.1", from.port())
                           .Get("/cgi/version.pl?version&prg=ZorbellineQuester");
    return reply ? protocol::KeptValue(reply->body) : std::string();
  };
  const auto submit = [](const testing_support::ScoreServerProcess& to, const std::string& t) {
    const auto reply = httplib::Client("127.0.0.1", to.port())
                           .Get("/cgi/version.pl?hs&prg=ZorbellineQuester&inf=" +
                                protocol::EncodeRecord(protocol::BuildRecord("Zed", 5, t, "X")));
    return reply ? reply->status : -1;
  };
  const std::string fromA = token(a);
  EXPECT_EQ(submit(c, fromA), 400);
  EXPECT_EQ(submit(b, fromA), 200);
  EXPECT_EQ(submit(a, fromA), 400);  // used, through the other instance
  EXPECT_EQ(submit(a, token(b)), 200);
  EXPECT_EQ(submit(a, token(c)), 400);
  EXPECT_EQ(submit(c, token(c)), 200);
}

}  // namespace
