#include "tools/sim/frame_json.h"

#include <charconv>

#include "platform/scripted/scripted_platform.h"
#include "screens/scene.h"
#include "shell/program.h"

namespace sim {
namespace {

void AppendFloat(std::string& out, float value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void AppendInt(std::string& out, long long value) {
  out += std::to_string(value);
}

void AppendBool(std::string& out, bool value) {
  out += value ? "true" : "false";
}

void AppendKey(std::string& out, std::string_view key) {
  out += JsonString(key);
  out += ':';
}

}  // namespace

std::string JsonString(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c < 0x20 || c >= 0x7F) {
      out += "\\u00";
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    } else {
      out += ch;
    }
  }
  out += '"';
  return out;
}

std::string FrameJson(const FrameRecord& record, Session& session) {
  shell::Program& program = session.program();
  screens::Scene& scene = session.scene();
  std::string out = "{";
  AppendKey(out, "frame");
  AppendInt(out, record.frame);
  const std::uint8_t state = program.ScreenState.load();
  out += ',';
  AppendKey(out, "screenState");
  AppendInt(out, state);
  out += ',';
  AppendKey(out, "screenStateName");
  out += JsonString(shell::ScreenStateName(state));
  out += ',';
  AppendKey(out, "menuSceneActive");
  AppendBool(out, program.MenuSceneActive);

  out += ',';
  AppendKey(out, "texts");
  out += '[';
  for (std::size_t i = 0; i < record.texts.size(); ++i) {
    const engine::PrintedText& t = record.texts[i];
    if (i > 0) out += ',';
    out += '{';
    AppendKey(out, "text");
    out += JsonString(t.text);
    out += ',';
    AppendKey(out, "x");
    AppendFloat(out, t.position.x);
    out += ',';
    AppendKey(out, "y");
    AppendFloat(out, t.position.y);
    out += ',';
    AppendKey(out, "sx");
    AppendFloat(out, t.scale.x);
    out += ',';
    AppendKey(out, "sy");
    AppendFloat(out, t.scale.y);
    out += ',';
    AppendKey(out, "color");
    out += '[';
    const float rgba[4] = {t.color.r, t.color.g, t.color.b, t.color.a};
    for (int c = 0; c < 4; ++c) {
      if (c > 0) out += ',';
      AppendFloat(out, rgba[c]);
    }
    out += "]}";
  }
  out += ']';

  out += ',';
  AppendKey(out, "sounds");
  out += '[';
  for (std::size_t i = 0; i < record.sounds.size(); ++i) {
    if (i > 0) out += ',';
    out += JsonString(record.sounds[i]);
  }
  out += ']';

  out += ',';
  AppendKey(out, "music");
  const std::string song = session.CurrentSong();
  out += song.empty() ? "null" : JsonString(song);

  out += ',';
  AppendKey(out, "shellOpened");
  out += '[';
  const std::vector<std::string>& opened = session.platform().ShellOpens();
  for (std::size_t i = 0; i < opened.size(); ++i) {
    if (i > 0) out += ',';
    out += JsonString(opened[i]);
  }
  out += ']';

  out += ',';
  AppendKey(out, "mainMenu");
  out += '{';
  AppendKey(out, "selection");
  AppendInt(out, scene.mainMenu().selection());
  out += '}';
  out += ',';
  AppendKey(out, "dialog");
  out += '{';
  AppendKey(out, "selection");
  AppendInt(out, scene.exitMenu().selection());
  out += '}';

  const shell::GameSettings& s = program.persistent.settings;
  out += ',';
  AppendKey(out, "settings");
  out += '{';
  AppendKey(out, "windowed");
  AppendInt(out, s.Windowed);
  out += ',';
  AppendKey(out, "soundOn");
  AppendInt(out, s.SoundOn);
  out += ',';
  AppendKey(out, "musicOn");
  AppendInt(out, s.MusicOn);
  out += ',';
  AppendKey(out, "country");
  out += JsonString(s.Country.Text());
  out += ',';
  AppendKey(out, "bossKey");
  AppendInt(out, s.BossKey);
  out += ',';
  AppendKey(out, "bossShift");
  AppendInt(out, s.BossShift);
  out += ',';
  AppendKey(out, "bossAlt");
  AppendInt(out, s.BossAlt);
  out += ',';
  AppendKey(out, "bossCtrl");
  AppendInt(out, s.BossCtrl);
  out += '}';

  out += ',';
  AppendKey(out, "records");
  out += '[';
  const auto& entries = program.persistent.records.entries;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0) out += ',';
    out += '{';
    AppendKey(out, "name");
    out += JsonString(entries[i].Name.Text());
    out += ',';
    AppendKey(out, "score");
    AppendInt(out, entries[i].Score);
    out += '}';
  }
  out += ']';

  const game::TGame& game = scene.game();
  out += ',';
  AppendKey(out, "game");
  out += '{';
  AppendKey(out, "level");
  AppendInt(out, game.GetLevel());
  out += ',';
  AppendKey(out, "score");
  AppendInt(out, game.GetScore());
  out += ',';
  AppendKey(out, "lives");
  AppendInt(out, game.GetLives());
  out += "}}";
  return out;
}

}  // namespace sim
