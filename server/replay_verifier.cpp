#include "server/replay_verifier.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "protocol/replay.h"

namespace scores {
namespace {

constexpr double kPhasesPerSecond = 75;

// The value after "key": in zq-sim's one-line JSON, up to the next "," or "}".
std::optional<std::string> JsonValue(std::string_view json, std::string_view key) {
  const std::string quoted = "\"" + std::string(key) + "\"";
  std::size_t at = json.find(quoted);
  if (at == std::string_view::npos) return std::nullopt;
  at = json.find_first_not_of(" :", at + quoted.size());
  if (at == std::string_view::npos) return std::nullopt;
  const std::size_t end = json.find_first_of(",}\n", at);
  if (end == std::string_view::npos) return std::nullopt;
  std::string value(json.substr(at, end - at));
  while (!value.empty() && value.back() == ' ') value.pop_back();
  return value;
}

std::string FirstLine(std::string_view text) {
  text = text.substr(0, text.find('\n'));
  if (text.rfind("zq-sim: ", 0) == 0) text.remove_prefix(8);
  return std::string(text);
}

}  // namespace

Verdict JudgeCheck(const ChildResult& run, std::int32_t score) {
  if (!run.started) return {false, "the check could not be run"};
  if (run.timedOut || run.signal == SIGXCPU || run.signal == SIGKILL) {
    return {false, "the check ran out of time"};
  }
  if (run.signal != 0)
    return {false, "the check failed (signal " + std::to_string(run.signal) + ")"};
  if (run.exitCode == 2) return {false, "the recording does not play: " + FirstLine(run.err)};
  const auto verified = JsonValue(run.out, "verified");
  const auto reached = JsonValue(run.out, "score");
  const auto departs = JsonValue(run.out, "firstDifferentPhase");
  if ((run.exitCode != 0 && run.exitCode != 1) || !verified || !reached || !departs) {
    return {false, "the check failed (exit " + std::to_string(run.exitCode) + ")"};
  }
  if (run.exitCode == 0 && *verified == "true" && *reached == std::to_string(score)) {
    return {true, {}};
  }
  if (*departs != "null") return {false, "departs at phase " + *departs};
  if (*reached != std::to_string(score)) {
    return {false, "score not reached: " + *reached + " instead of " + std::to_string(score)};
  }
  return {false, "the recorded result is not reached"};
}

ChildLimits CheckLimits(const VerifierOptions& options, std::uint32_t frames) {
  const double minutes = frames / kPhasesPerSecond / 60;
  const int fives = std::max(1, static_cast<int>((minutes + 4.999) / 5));
  ChildLimits limits;
  limits.cpuSeconds =
      std::min(options.cpuSecondsCap, std::max(1, fives * options.cpuSecondsPerFiveMinutes));
  limits.wallSeconds = 2.0 * limits.cpuSeconds + options.wallSlackSeconds;
  return limits;
}

ReplayVerifier::ReplayVerifier(ScoreStore& store, VerifierOptions options)
    : store_(store), options_(std::move(options)) {
  if (pipe2(stopPipe_, O_CLOEXEC) != 0) throw std::runtime_error("no pipe for the checks");
  for (PendingReplay& left : store_.PendingReplays(
           static_cast<int>(std::min<std::size_t>(options_.queueLimit, 1 << 20)))) {
    queue_.push_back({left.id, left.score, std::move(left.bytes)});
  }
  for (int i = 0; i < options_.workers; ++i) workers_.emplace_back([this] { Work(); });
}

ReplayVerifier::~ReplayVerifier() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  close(stopPipe_[1]);
  for (std::thread& worker : workers_) worker.join();
  close(stopPipe_[0]);
}

bool ReplayVerifier::Reserve() {
  std::lock_guard lock(mutex_);
  if (queue_.size() + reserved_ >= options_.queueLimit) return false;
  ++reserved_;
  return true;
}

void ReplayVerifier::Release() {
  std::lock_guard lock(mutex_);
  --reserved_;
}

void ReplayVerifier::Queue(std::int64_t id, std::int32_t score, std::vector<std::uint8_t> bytes) {
  {
    std::lock_guard lock(mutex_);
    --reserved_;
    queue_.push_back({id, score, std::move(bytes)});
  }
  wake_.notify_one();
}

std::size_t ReplayVerifier::Waiting() {
  std::lock_guard lock(mutex_);
  return queue_.size();
}

void ReplayVerifier::Work() {
  for (;;) {
    Job job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (stopping_) return;
      job = std::move(queue_.front());
      queue_.pop_front();
    }
    std::optional<Verdict> verdict;
    try {
      verdict = Check(job);
    } catch (const std::exception& error) {
      verdict = Verdict{false, std::string("the check failed: ") + error.what()};
    }
    if (!verdict) return;  // stopped: the entry stays pending
    ++(verdict->verified ? verified_ : rejected_);
    try {
      store_.MarkReplay(job.id, verdict->verified ? ReplayMark::Verified : ReplayMark::Rejected,
                        verdict->reason);
    } catch (const std::exception& error) {
      std::fprintf(stderr, "zq-scores: entry %lld keeps its pending mark: %s\n",
                   static_cast<long long>(job.id), error.what());
    }
  }
}

std::optional<Verdict> ReplayVerifier::Check(const Job& job) const {
  const protocol::Replay replay = protocol::DecodeReplay(job.bytes);
  // The recording and whatever the check leaves (zq-sim's scratch directory,
  // should the check be killed before it removes it) go in a directory of the
  // job's own, removed whatever the check's end.
  std::string dir = (std::filesystem::temp_directory_path() / "zq-replay-XXXXXX").string();
  if (!mkdtemp(dir.data()))
    return Verdict{false, "the check could not be run (no temporary directory)"};
  const std::string path = dir + "/game.zqr";
  std::optional<Verdict> verdict =
      Verdict{false, "the check could not be run (temporary file not written)"};
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  std::size_t written = 0;
  while (fd >= 0 && written < job.bytes.size()) {
    const ssize_t n = write(fd, job.bytes.data() + written, job.bytes.size() - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  if (fd >= 0) close(fd);
  if (fd >= 0 && written == job.bytes.size()) {
    ChildLimits limits = CheckLimits(options_, replay.Frames());
    limits.cancelFd = stopPipe_[0];
    const ChildResult run =
        RunChild({options_.program, "--dir", options_.runtime, "--replay", path, "--verify"},
                 limits, {"TMPDIR=" + dir});
    verdict = run.cancelled ? std::nullopt : std::optional<Verdict>(JudgeCheck(run, job.score));
  }
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
  return verdict;
}

}  // namespace scores
