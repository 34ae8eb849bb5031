#include "screens/main_menu.h"

#include "engine/engine.h"
#include "engine/texture_pack.h"
#include "screens/game_window.h"
#include "screens/keys.h"
#include "screens/links.h"

namespace screens {
namespace {

struct ItemLook {
  std::int32_t plainTag, highlightTag;
  iVec2 centre, size;
};

// Item k: plain picture 2(k-1), highlight 2k-1 of "data\MainMenu.dat".
constexpr ItemLook kItemLooks[TMainMenu::kItems] = {
    {1000010, 1000016, {-0.1f, 3.5f}, {10, 2}},     {1000011, 1000011, {-0.1f, 0.9f}, {10, 2}},
    {1000012, 1000018, {-0.1f, -1.7f}, {10, 2}},    {1000013, 1000019, {-0.1f, -4.4f}, {10, 2}},
    {1000014, 1000020, {-0.1f, -7.0f}, {10, 2}},    {1000015, 1000021, {-0.1f, -9.7f}, {10, 2}},
    {1001400, 1001402, {-12, -8.3f}, {6.4f, 3.2f}}, {1001401, 1001403, {-12, -10.5f}, {6.4f, 3.2f}},
};

constexpr Area kItemAreas[TMainMenu::kItems] = {
    {-6, 6, 2, 5},
    {-4, 4, -0.5L, 2},
    {-6, 6, -3, -0.5L},
    {-3, 3, -5.5L, -3},
    {-6, 6, -8.5L, -5.5L},
    {-3, 3, -11, -8.5L},
    {-15.5L, -8.5L, -9.4L, -7.5L},
    {-15.5L, -8.5L, -11, -9.8L},
};

constexpr double kFadeStep = 0.05;

engine::OwnedPicture ItemPicture(int image, std::int32_t tag, const ItemLook& look) {
  engine::OwnedPicture picture = engine::MakeOwnedPicture(iSpriteCreate("data\\sprite.x", 0), [&] {
    return LoadPackTexture("data\\MainMenu.dat", static_cast<std::uint16_t>(image), tag);
  });
  iSpriteScaleSet(picture.sprite, look.size);
  iSpriteLocationSet(picture.sprite, look.centre);
  return picture;
}

}  // namespace

void TMainMenu::Create() {
  list_.Select(1);
  opacity_.fill(0);
  opacity_[kOptions - 1] = 1;
  CreateSprites();
}

void TMainMenu::Reload() {
  CreateSprites();
}

void TMainMenu::CreateSprites() {
  for (int i = 0; i < kItems; ++i) {
    const auto k = static_cast<std::size_t>(i);
    plain_[k] = ItemPicture(2 * i, kItemLooks[k].plainTag, kItemLooks[k]);
    highlight_[k] = ItemPicture(2 * i + 1, kItemLooks[k].highlightTag, kItemLooks[k]);
    iSpriteColorSet(highlight_[k].sprite, 1, 1, 1, static_cast<float>(opacity_[k]));
  }
}

void TMainMenu::Show() const {
  for (int k = 0; k < kItems; ++k) {
    iSpriteShow(plain_[static_cast<std::size_t>(k)].sprite);
    iSpriteShow(highlight_[static_cast<std::size_t>(k)].sprite);
  }
}

void TMainMenu::Hide() const {
  for (int k = 0; k < kItems; ++k) {
    iSpriteHide(plain_[static_cast<std::size_t>(k)].sprite);
    iSpriteHide(highlight_[static_cast<std::size_t>(k)].sprite);
  }
}

// One action per frame: an activation ends the key handling of this screen.
void TMainMenu::HandleKeys() {
  if (iKeyClick(kKeyUp)) list_.Previous(context_.menuSound());
  if (iKeyClick(kKeyDown)) list_.Next(context_.menuSound());
  if (iKeyClick(kKeyEnter)) {
    Activate(list_.selection());
    return;
  }
  if (iKeyClick(kKeyEsc)) Activate(kExit);
}

void TMainMenu::Hover(long double x, long double y) {
  if (list_.Hover(kItemAreas, x, y)) context_.menuSound().Play();
}

void TMainMenu::Click(long double x, long double y) {
  const int item = MenuList::ItemAt(kItemAreas, x, y);
  if (item != 0) Activate(item);
}

void TMainMenu::FadeHighlights() {
  for (int i = 0; i < kItems; ++i) {
    const auto k = static_cast<std::size_t>(i);
    if (i + 1 == list_.selection()) {
      if (opacity_[k] < 1) opacity_[k] += kFadeStep;
    } else if (opacity_[k] > 0) {
      opacity_[k] -= kFadeStep;
    }
    iSpriteColorSet(highlight_[k].sprite, 1, 1, 1, static_cast<float>(opacity_[k]));
  }
}

void TMainMenu::Activate(int item) {
  core::Program& program = context_.program();
  switch (item) {
    case kNewGame:
      context_.HidePointer();
      Hide();
      iPrintsHide();
      context_.SetState(core::ssNewGame);
      context_.HideMenuScene();
      program.music.MusicStop("1");
      if (!context_.game().resourcesLoaded()) context_.game().LoadResources();
      context_.game().ChooseNewGame();
      context_.HideMenuPages();
      program.MenuSceneActive = false;
      break;
    case kOptions:
      context_.OpenOptions();
      break;
    case kHighScores:
      context_.OpenRecords();
      break;
    case kHelp:
      context_.OpenHelp();
      break;
    case kWebSite:
      OpenLinkFromGame(program, WebSiteLink());
      break;
    case kTellAFriend:
      OpenLinkFromGame(program, TellAFriendLink());
      break;
    case kSubscribe:
      OpenLinkFromGame(program, SubscribeLink());
      break;
    case kExit:
      context_.OpenQuestion(core::ssConfirmQuit);
      break;
    default:
      break;
  }
}

}  // namespace screens
