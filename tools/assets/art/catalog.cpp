#include "tools/assets/art/catalog.h"

#include <string>
#include <utility>

#include "tools/assets/art/bonuses.h"
#include "tools/assets/art/enemies.h"
#include "tools/assets/art/help_pages.h"
#include "tools/assets/art/hero.h"
#include "tools/assets/art/menus.h"
#include "tools/assets/art/raven.h"
#include "tools/assets/art/scenery.h"
#include "tools/assets/art/text.h"

namespace assets::art {
namespace {

using IndexedDraw = std::function<void(cairo_t*, int)>;

PictureSet Pack(std::string file, int count, int width, int height, int factor,
                const IndexedDraw& draw) {
  PictureSet set;
  set.file = std::move(file);
  set.packed = true;
  set.sheet = set.file.substr(0, set.file.find('.'));
  for (int i = 0; i < count; ++i) {
    set.images.push_back({width, height, factor, [draw, i](cairo_t* cr) { draw(cr, i); }});
  }
  return set;
}

PictureSet Single(std::string file, int width, int height, int factor, DrawFunction draw,
                  std::string sheet) {
  PictureSet set;
  set.file = std::move(file);
  set.sheet = std::move(sheet);
  set.images.push_back({width, height, factor, std::move(draw)});
  return set;
}

// A contact box of the given size, centred horizontally, whose bottom edge is the
// standing line `feetY`.
Box BoxOnLine(int pictureWidth, double width, double height, double feetY) {
  return {(pictureWidth - width) / 2, feetY - height, width, height};
}

}  // namespace

SurfacePtr Render(const ImageRecipe& image) {
  SurfacePtr surface = MakeSurface(image.width * image.factor, image.height * image.factor);
  ContextPtr cr = MakeContext(surface.get());
  cairo_scale(cr.get(), image.factor, image.factor);
  image.draw(cr.get());
  cairo_surface_flush(surface.get());
  return surface;
}

std::vector<PictureSet> Catalog(const Font& font) {
  std::vector<PictureSet> sets;
  const Font* f = &font;

  // Menu labels: items 1-6 are 400 x 80, items 7 and 8 small 256 x 128 buttons.
  PictureSet labels;
  labels.file = "MainMenu.dat";
  labels.packed = true;
  labels.sheet = "MainMenu";
  for (int i = 0; i < 2 * kMenuItems; ++i) {
    const bool small = i >= 12;
    labels.images.push_back({small ? 256 : 400, small ? 128 : 80, 2,
                             [f, i](cairo_t* cr) { DrawMenuLabel(cr, *f, i); }});
  }
  sets.push_back(std::move(labels));

  PictureSet forms;
  forms.file = "Forms.dat";
  forms.packed = true;
  forms.sheet = "Forms";
  for (int i = 0; i < 4; ++i) {
    forms.images.push_back(
        {i < 3 ? 640 : 400, i < 3 ? 480 : 320, 2, [f, i](cairo_t* cr) { DrawForm(cr, *f, i); }});
  }
  sets.push_back(std::move(forms));

  PictureSet backgrounds;
  backgrounds.file = "Background.dat";
  backgrounds.packed = true;
  backgrounds.sheet = "Background";
  backgrounds.images.push_back({300, 150, 2, [f](cairo_t* cr) { DrawLogo(cr, *f); }});
  backgrounds.images.push_back({800, 600, 1, DrawMenuBackdrop});
  sets.push_back(std::move(backgrounds));

  PictureSet hero = Pack("Cosmonaut.dat", kHeroFrames, 128, 128, 2, DrawHeroFrame);
  hero.box = BoxOnLine(128, 40, 80, kHeroFeetY);
  hero.standLine = kHeroFeetY;
  sets.push_back(std::move(hero));

  constexpr std::pair<EnemyKind, const char*> kEnemies[] = {{EnemyKind::kCangoroo, "Cangoroo.dat"},
                                                            {EnemyKind::kMouse, "Mouse.dat"},
                                                            {EnemyKind::kBlue, "Blue.dat"},
                                                            {EnemyKind::kToothy, "Toothy.dat"}};
  for (const auto& [enemyKind, file] : kEnemies) {
    // A copy: Clang 14 cannot capture a structured binding.
    const EnemyKind kind = enemyKind;
    const EnemyLayout layout = LayoutOf(kind);
    const int size = static_cast<int>(layout.size);
    PictureSet enemy = Pack(file, layout.total(), size, size, 2,
                            [kind](cairo_t* cr, int i) { DrawEnemyFrame(cr, kind, i); });
    enemy.box = BoxOnLine(size, 40, 30, layout.feetY);
    enemy.standLine = layout.feetY;
    sets.push_back(std::move(enemy));
  }

  sets.push_back(Pack("Raven.dat", kRavenFrames, 128, 128, 2, DrawRavenFrame));
  sets.push_back(Pack("Banka.dat", kParcelFrames, 64, 64, 2, DrawParcelFrame));

  // Bonuses that rest on the floor of a 20 x 20 box centred 12.5 px below the middle.
  const Box bonusBox{22, 34.5, 20, 20};
  PictureSet diamond = Pack("Diamond.dat", kDiamondFrames, 64, 64, 2, DrawDiamond);
  diamond.box = bonusBox;
  diamond.standLine = kBonusFloorY;
  sets.push_back(std::move(diamond));
  PictureSet snow = Pack("Snow.dat", kSnowFrames, 64, 64, 2, DrawSnowflake);
  snow.box = Box{22, 22, 20, 20};
  sets.push_back(std::move(snow));
  PictureSet bottle = Pack("LifePlus.dat", kBottleFrames, 64, 64, 2, DrawBottle);
  bottle.box = bonusBox;
  bottle.standLine = kBonusFloorY;
  sets.push_back(std::move(bottle));
  PictureSet balloons = Pack("Baloon.dat", kBalloonFrames, 128, 128, 2, DrawBalloons);
  balloons.box = Box{29, 54, 70, 70};
  sets.push_back(std::move(balloons));
  sets.push_back(Pack("Sandclock.dat", kSandclockFrames, 50, 50, 2, DrawSandclock));
  sets.push_back(Pack("Interface.dat", 2, 50, 50, 2, [](cairo_t* cr, int i) {
    if (i == 1) {
      DrawLifeIcon(cr);
    } else {
      DrawSpareIcon(cr);
    }
  }));
  using PlainDraw = void (*)(cairo_t*);
  constexpr std::pair<const char*, PlainDraw> kFruit[] = {
      {"Banana.png", DrawBanana}, {"Pear.png", DrawPear}, {"clock.png", DrawClock}};
  for (const auto& [file, draw] : kFruit) {
    PictureSet single = Single(file, 64, 64, 2, draw, "Bonuses");
    single.box = bonusBox;
    single.standLine = kBonusFloorY;
    sets.push_back(std::move(single));
  }

  PictureSet blocks = Pack("Blocks.dat", kBlockStyles, 180, 100, 2, DrawBlock);
  blocks.box = Box{21.25, kBlockTopY, 137.5, 25};
  blocks.standLine = kBlockTopY;
  sets.push_back(std::move(blocks));
  sets.push_back(Pack("GameBack.dat", 3, 1024, 1024, 1, DrawLevelBackground));

  sets.push_back(Single("Sun.png", 256, 256, 2, DrawSun, "Menu"));
  sets.push_back(Single("Menu_Cloud.png", 512, 256, 2, DrawMenuCloud, "Menu"));
  sets.push_back(Single("cursor.png", 40, 40, 2, DrawCursor, "Menu"));
  sets.push_back(Single(
      "loading.png", 800, 600, 1, [f](cairo_t* cr) { DrawLoading(cr, *f); }, "Screens"));
  sets.push_back(Single(
      "gameover.png", 600, 600, 2, [f](cairo_t* cr) { DrawGameOver(cr, *f); }, "Screens"));
  sets.push_back(Single(
      "LevelComplete.png", 800, 600, 2, [f](cairo_t* cr) { DrawLevelComplete(cr, *f); },
      "Screens"));
  sets.push_back(Single(
      "Pause.png", 800, 600, 2, [f](cairo_t* cr) { DrawPause(cr, *f); }, "Screens"));
  sets.push_back(Single(
      "Panel.png", 800, 100, 2, [f](cairo_t* cr) { DrawHudPanel(cr, *f); }, "Level"));
  sets.push_back(Single("UFO.png", 256, 256, 2, DrawUfo, "Level"));
  sets.push_back(Single(
      "cloud1.png", 600, 200, 1, [](cairo_t* cr) { DrawLevelCloud(cr, 0); }, "Level"));
  sets.push_back(Single(
      "cloud2.png", 600, 200, 1, [](cairo_t* cr) { DrawLevelCloud(cr, 1); }, "Level"));

  for (int page = 1; page <= kHelpPages; ++page) {
    sets.push_back(Single(
        "over" + std::to_string(page) + ".png", 400, 280, 2,
        [f, page](cairo_t* cr) { DrawHelpPage(cr, *f, page); }, "Help"));
  }

  return sets;
}

}  // namespace assets::art
