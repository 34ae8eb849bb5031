#include "tools/sim/frame_json.h"

#include "core/program.h"
#include "platform/scripted/scripted_platform.h"
#include "screens/scene.h"
#include "tools/sim/json_writer.h"
#include "tools/sim/level_json.h"

namespace sim {

std::string FrameJson(const FrameRecord& record, Session& session) {
  core::Program& program = session.program();
  screens::Scene& scene = session.scene();
  const std::uint8_t state = program.ScreenState.load();
  JsonWriter json;
  json.BeginObject()
      .Field("frame", record.frame)
      .Field("screenState", state)
      .Field("screenStateName", core::ScreenStateName(state))
      .Field("menuSceneActive", program.MenuSceneActive);

  json.Key("texts").BeginArray();
  for (const engine::PrintedText& t : record.texts) {
    json.BeginObject()
        .Field("text", t.text)
        .Field("x", t.position.x)
        .Field("y", t.position.y)
        .Field("sx", t.scale.x)
        .Field("sy", t.scale.y);
    json.Key("color").BeginArray().Value(t.color.r).Value(t.color.g).Value(t.color.b);
    json.Value(t.color.a).EndArray().EndObject();
  }
  json.EndArray();

  json.Key("sounds").BeginArray();
  for (const std::string& sound : record.sounds) json.Value(sound);
  json.EndArray();

  const std::string song = session.CurrentSong();
  json.Key("music");
  if (song.empty()) {
    json.Null();
  } else {
    json.Value(song);
  }

  json.Key("shellOpened").BeginArray();
  for (const std::string& opened : session.platform().ShellOpens()) json.Value(opened);
  json.EndArray();

  json.Key("mainMenu").BeginObject().Field("selection", scene.mainMenu().selection()).EndObject();
  json.Key("dialog").BeginObject().Field("selection", scene.exitMenu().selection()).EndObject();

  const core::GameSettings& s = program.persistent.settings;
  json.Key("settings")
      .BeginObject()
      .Field("windowed", s.Windowed)
      .Field("soundOn", s.SoundOn)
      .Field("musicOn", s.MusicOn)
      .Field("country", s.Country.Text())
      .Field("bossKey", s.BossKey)
      .Field("bossShift", s.BossShift)
      .Field("bossAlt", s.BossAlt)
      .Field("bossCtrl", s.BossCtrl)
      .EndObject();

  json.Key("records").BeginArray();
  for (const auto& entry : program.persistent.records.entries) {
    json.BeginObject().Field("name", entry.Name.Text()).Field("score", entry.Score).EndObject();
  }
  json.EndArray();

  json.Key("game");
  AppendGame(json, scene.game());
  json.EndObject();
  return json.str();
}

}  // namespace sim
