#include "tools/assets/audio/xm_writer.h"

#include <gtest/gtest.h>
#include <xmp.h>

#include <functional>
#include <memory>
#include <stdexcept>

namespace {

using assets::xm::Cell;
using assets::xm::Instrument;
using assets::xm::Loop;
using assets::xm::Module;
using assets::xm::Pattern;

constexpr int kSongChannels = 3;

// Two patterns of different lengths, cells in every packed shape (empty, one
// field, several, all five = the unpacked form, key-off), one 16-bit looped
// instrument with a sustained envelope and one 8-bit one-shot.
Module TinyModule() {
  Module m;
  m.name = "tiny";
  m.channels = kSongChannels;
  m.speed = 4;
  m.bpm = 140;
  m.restart = 1;
  m.orders = {0, 1, 0};
  Pattern first(4, kSongChannels);
  first.at(0, 0, kSongChannels) = {49, 1, 0, 0, 0};
  first.at(0, 1, kSongChannels) = {61, 2, 0x30, 0x0C, 0x20};
  first.at(1, 2, kSongChannels) = {0, 0, 0x20, 0, 0};
  first.at(2, 0, kSongChannels) = {assets::xm::kKeyOff, 0, 0, 0, 0};
  first.at(3, 1, kSongChannels) = {0, 0, 0, 0x0F, 0x05};
  first.at(3, 2, kSongChannels) = {96, 1, 0, 0, 0};
  Pattern second(2, kSongChannels);
  second.at(1, 0, kSongChannels) = {1, 2, 0x50, 0, 0};

  m.patterns = {first, second};

  Instrument tone;
  tone.name = "tone";
  tone.sample.data = {0, 1000, -1000, 32767, -32768, 5, 0, 7};
  tone.sample.loop = Loop::kForward;
  tone.sample.loopStart = 2;
  tone.sample.loopLength = 4;
  tone.sample.volume = 48;
  tone.sample.relativeNote = 24;
  tone.sample.finetune = -16;
  tone.volumeEnvelope = {{{0, 0}, {3, 64}, {10, 40}, {30, 0}}, 2};
  tone.fadeout = 512;
  Instrument hit;
  hit.name = "hit";
  hit.sample.data = {0, 0x4000, -0x4000, 0x7F00, -0x8000};
  hit.sample.sixteenBit = false;
  m.instruments = {tone, hit};
  return m;
}

struct Loaded {
  std::unique_ptr<char, void (*)(xmp_context)> ctx{nullptr, [](xmp_context c) {
                                                     xmp_release_module(c);
                                                     xmp_free_context(c);
                                                   }};
  xmp_module* mod = nullptr;
};

Loaded Load(const std::vector<std::uint8_t>& bytes) {
  Loaded loaded;
  xmp_context ctx = xmp_create_context();
  if (xmp_load_module_from_memory(ctx, bytes.data(), static_cast<long>(bytes.size())) != 0) {
    xmp_free_context(ctx);
    return loaded;
  }
  loaded.ctx.reset(ctx);
  xmp_module_info info;
  xmp_get_module_info(ctx, &info);
  loaded.mod = info.mod;
  return loaded;
}

const xmp_event& EventAt(const xmp_module* mod, int pattern, int row, int channel) {
  return mod->xxt[mod->xxp[pattern]->index[channel]]->event[row];
}

TEST(XmWriter, HeaderStartsWithTheSignatureAndVersion) {
  const std::vector<std::uint8_t> bytes = assets::xm::EncodeModule(TinyModule());
  ASSERT_GT(bytes.size(), 80u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 17), "Extended Module: ");
  EXPECT_EQ(bytes[37], 0x1A);
  EXPECT_EQ(bytes[58] | bytes[59] << 8, 0x0104);
}

TEST(XmWriter, TinyModuleRoundTripsThroughLibxmp) {
  const Module written = TinyModule();
  const Loaded loaded = Load(assets::xm::EncodeModule(written));
  ASSERT_NE(loaded.mod, nullptr);
  const xmp_module* mod = loaded.mod;
  EXPECT_STREQ(mod->name, "tiny");
  EXPECT_EQ(mod->chn, kSongChannels);
  EXPECT_EQ(mod->len, 3);
  EXPECT_EQ(mod->rst, 1);
  EXPECT_EQ(mod->spd, 4);
  EXPECT_EQ(mod->bpm, 140);
  EXPECT_EQ(mod->ins, 2);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(mod->xxo[i], written.orders[static_cast<size_t>(i)]);
  EXPECT_EQ(mod->xxp[0]->rows, 4);
  EXPECT_EQ(mod->xxp[1]->rows, 2);

  // libxmp counts notes from C-0 = 13 and volumes from 1 (0 = none).
  const auto note = [](int xmNote) { return xmNote == 97 ? XMP_KEY_OFF : xmNote + 12; };
  for (int p = 0; p < 2; ++p) {
    const Pattern& pattern = written.patterns[static_cast<size_t>(p)];
    for (int row = 0; row < pattern.rows; ++row) {
      for (int ch = 0; ch < kSongChannels; ++ch) {
        SCOPED_TRACE(testing::Message() << "pattern " << p << " row " << row << " channel " << ch);
        const Cell& cell = pattern.cells[static_cast<size_t>(row * kSongChannels + ch)];
        const xmp_event& e = EventAt(mod, p, row, ch);
        EXPECT_EQ(e.note, cell.note ? note(cell.note) : 0);
        EXPECT_EQ(e.ins, cell.instrument);
        EXPECT_EQ(e.vol, cell.volume ? cell.volume - 0x10 + 1 : 0);
        EXPECT_EQ(e.fxt, cell.effect);
        EXPECT_EQ(e.fxp, cell.param);
      }
    }
  }
}

TEST(XmWriter, InstrumentsKeepSampleDataLoopsAndEnvelope) {
  const Module written = TinyModule();
  const Loaded loaded = Load(assets::xm::EncodeModule(written));
  ASSERT_NE(loaded.mod, nullptr);
  const xmp_module* mod = loaded.mod;

  const xmp_instrument& tone = mod->xxi[0];
  EXPECT_STREQ(tone.name, "tone");
  ASSERT_EQ(tone.nsm, 1);
  EXPECT_EQ(tone.sub[0].vol, 48);
  EXPECT_EQ(tone.sub[0].xpo, 24);
  EXPECT_EQ(tone.sub[0].fin, -16);
  EXPECT_EQ(tone.rls, 2 * 512);  // libxmp keeps the fade-out speed doubled
  EXPECT_EQ(tone.aei.npt, 4);
  EXPECT_EQ(tone.aei.sus, 2);
  EXPECT_TRUE(tone.aei.flg & XMP_ENVELOPE_ON);
  EXPECT_TRUE(tone.aei.flg & XMP_ENVELOPE_SUS);
  const auto& points = written.instruments[0].volumeEnvelope.points;
  for (size_t i = 0; i < points.size(); ++i) {
    EXPECT_EQ(tone.aei.data[2 * i], points[i].tick);
    EXPECT_EQ(tone.aei.data[2 * i + 1], points[i].level);
  }
  const xmp_sample& toneSample = mod->xxs[tone.sub[0].sid];
  ASSERT_EQ(toneSample.len, 8);
  EXPECT_EQ(toneSample.lps, 2);
  EXPECT_EQ(toneSample.lpe, 6);
  EXPECT_TRUE(toneSample.flg & XMP_SAMPLE_16BIT);
  EXPECT_TRUE(toneSample.flg & XMP_SAMPLE_LOOP);
  // Frames past a forward loop's end are never played; libxmp reuses them.
  const auto* frames16 = reinterpret_cast<const std::int16_t*>(toneSample.data);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(frames16[i], written.instruments[0].sample.data[i]);

  const xmp_instrument& hit = mod->xxi[1];
  EXPECT_EQ(hit.aei.flg & XMP_ENVELOPE_ON, 0);
  const xmp_sample& hitSample = mod->xxs[hit.sub[0].sid];
  ASSERT_EQ(hitSample.len, 5);
  EXPECT_FALSE(hitSample.flg & XMP_SAMPLE_16BIT);
  EXPECT_FALSE(hitSample.flg & XMP_SAMPLE_LOOP);
  const auto* frames8 = reinterpret_cast<const std::int8_t*>(hitSample.data);
  const std::int8_t expected8[] = {0, 0x40, -0x40, 0x7F, -0x80};  // the high bytes
  for (int i = 0; i < 5; ++i) EXPECT_EQ(frames8[i], expected8[i]);
}

TEST(XmWriter, RefusesModulesItCannotWriteValidly) {
  const struct {
    const char* fault;
    std::function<void(Module&)> spoil;
  } cases[] = {
      {"no channels", [](Module& m) { m.channels = 0; }},
      {"33 channels", [](Module& m) { m.channels = 33; }},
      {"no orders", [](Module& m) { m.orders.clear(); }},
      {"order of a missing pattern", [](Module& m) { m.orders[1] = 2; }},
      {"restart past the orders", [](Module& m) { m.restart = 3; }},
      {"cells not rows * channels", [](Module& m) { m.patterns[0].cells.pop_back(); }},
      {"no rows", [](Module& m) { m.patterns[1] = Pattern(0, kSongChannels); }},
      {"note above key-off", [](Module& m) { m.patterns[0].cells[0].note = 98; }},
      {"missing instrument", [](Module& m) { m.patterns[0].cells[0].instrument = 3; }},
      {"loop past the sample end", [](Module& m) { m.instruments[0].sample.loopLength = 7; }},
      {"empty loop", [](Module& m) { m.instruments[0].sample.loopLength = 0; }},
      {"13 envelope points",
       [](Module& m) {
         auto& env = m.instruments[0].volumeEnvelope;
         env.points.clear();
         for (std::uint16_t t = 0; t < 13; ++t) env.points.push_back({t, 10});
       }},
      {"sustain past the points", [](Module& m) { m.instruments[0].volumeEnvelope.sustain = 4; }},
      {"envelope ticks going back",
       [](Module& m) { m.instruments[0].volumeEnvelope.points[2].tick = 2; }},
      {"envelope level above 64",
       [](Module& m) { m.instruments[0].volumeEnvelope.points[1].level = 65; }},
  };
  EXPECT_NO_THROW(assets::xm::EncodeModule(TinyModule()));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    Module m = TinyModule();
    c.spoil(m);
    EXPECT_THROW(assets::xm::EncodeModule(m), std::invalid_argument);
  }
}

}  // namespace
