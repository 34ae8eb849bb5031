#include "engine/music.h"

#include <xmp.h>

#include <atomic>
#include <cstring>
#include <vector>

#include "platform/paths.h"

namespace engine {
namespace {

MusicMixer* g_music = nullptr;

// Virtual playback only has to move the song on: the lowest rate libxmp accepts,
// 8-bit mono, no interpolation.
constexpr int kVirtualRate = 8000;
constexpr int kVirtualFormat = XMP_FORMAT_8BIT | XMP_FORMAT_MONO;

}  // namespace

struct MusicMixer::Song {
  xmp_context context = nullptr;
  bool started = false;
  std::atomic<std::int32_t> order{0};
  // Virtual playback: when the song started and how much of it has been rendered.
  std::int64_t startNs = 0;
  std::int64_t renderedNs = 0;

  ~Song() {
    if (!context) return;
    if (started) xmp_end_player(context);
    xmp_release_module(context);
    xmp_free_context(context);
  }
};

std::unique_ptr<MusicMixer> MusicMixer::Streaming(int sampleRate) {
  return std::unique_ptr<MusicMixer>(new MusicMixer(sampleRate, nullptr));
}

std::unique_ptr<MusicMixer> MusicMixer::Virtual(const platform::Clock& clock) {
  return std::unique_ptr<MusicMixer>(new MusicMixer(kVirtualRate, &clock));
}

MusicMixer::MusicMixer(int sampleRate, const platform::Clock* clock)
    : sampleRate_(sampleRate), clock_(clock) {}

MusicMixer::~MusicMixer() {
  if (g_music == this) g_music = nullptr;
  std::lock_guard lock(mixing_);
  playing_ = nullptr;
}

MusicMixer::Song* MusicMixer::Find(std::int32_t song) {
  auto it = songs_.find(song);
  return it == songs_.end() ? nullptr : it->second.get();
}

std::int32_t MusicMixer::Load(const char* path) {
  if (!path) return 0;
  auto song = std::make_unique<Song>();
  song->context = xmp_create_context();
  if (!song->context) return 0;
  const std::string file = platform::ResolvePath(path).string();
  if (xmp_load_module(song->context, const_cast<char*>(file.c_str())) != 0) {
    xmp_free_context(song->context);
    song->context = nullptr;
    return 0;
  }
  const std::int32_t handle = nextHandle_++;
  songs_[handle] = std::move(song);
  return handle;
}

void MusicMixer::Play(std::int32_t handle) {
  Song* song = Find(handle);
  if (!song) return;
  std::lock_guard lock(mixing_);
  if (playing_ && playing_ != song) {
    xmp_end_player(playing_->context);
    playing_->started = false;
  }
  playing_ = nullptr;
  if (song->started) xmp_end_player(song->context);
  const bool virtualTime = clock_ != nullptr;
  song->started =
      xmp_start_player(song->context, sampleRate_, virtualTime ? kVirtualFormat : 0) == 0;
  if (!song->started) return;
  if (virtualTime) xmp_set_player(song->context, XMP_PLAYER_INTERP, XMP_INTERP_NEAREST);
  song->order = 0;
  song->startNs = virtualTime ? clock_->NowNs() : 0;
  song->renderedNs = 0;
  playing_ = song;
}

void MusicMixer::Free(std::int32_t handle) {
  auto it = songs_.find(handle);
  if (it == songs_.end()) return;
  {
    std::lock_guard lock(mixing_);
    if (playing_ == it->second.get()) playing_ = nullptr;
  }
  songs_.erase(it);
}

void MusicMixer::AdvanceToClock(Song& song) {
  const std::int64_t due = clock_->NowNs() - song.startNs;
  while (song.renderedNs < due) {
    if (xmp_play_frame(song.context) != 0) break;
    xmp_frame_info info;
    xmp_get_frame_info(song.context, &info);
    song.order = info.pos;
    // A frame lasts at least 2.5 / 255 s; guard against a zero report anyway.
    song.renderedNs += info.frame_time > 0 ? std::int64_t{info.frame_time} * 1000 : 1'000'000;
  }
}

std::int32_t MusicMixer::Order(std::int32_t handle) {
  Song* song = Find(handle);
  if (!song) return 0;
  if (clock_ && song->started && playing_ == song) AdvanceToClock(*song);
  return song->order;
}

std::int32_t MusicMixer::Playing() const {
  std::lock_guard lock(mixing_);
  for (const auto& [handle, song] : songs_)
    if (song.get() == playing_) return handle;
  return 0;
}

void MusicMixer::Mix(std::uint8_t* stream, int bytes) {
  std::lock_guard lock(mixing_);
  if (!playing_ || clock_) {
    std::memset(stream, 0, static_cast<std::size_t>(bytes));
    return;
  }
  // 0 loops: libxmp goes round the song for ever, as the program expects.
  if (xmp_play_buffer(playing_->context, stream, bytes, 0) != 0) {
    std::memset(stream, 0, static_cast<std::size_t>(bytes));
    return;
  }
  xmp_frame_info info;
  xmp_get_frame_info(playing_->context, &info);
  playing_->order = info.pos;
}

void InstallMusic(MusicMixer* mixer) {
  g_music = mixer;
}

MusicMixer* InstalledMusic() {
  return g_music;
}

}  // namespace engine

std::int32_t SongLoadFromFile(const char* path) {
  engine::MusicMixer* m = engine::InstalledMusic();
  return m ? m->Load(path) : 0;
}

std::int32_t SongLoadFromResource(const char* /*name*/) {
  return 0;
}

void SongPlay(std::int32_t song) {
  if (engine::MusicMixer* m = engine::InstalledMusic()) m->Play(song);
}

void SongFree(std::int32_t song) {
  if (engine::MusicMixer* m = engine::InstalledMusic()) m->Free(song);
}

std::int32_t SongGetOrder(std::int32_t song) {
  engine::MusicMixer* m = engine::InstalledMusic();
  return m ? m->Order(song) : 0;
}
