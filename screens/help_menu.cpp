#include "screens/help_menu.h"

#include <string>

#include "engine/engine.h"
#include "screens/area.h"
#include "screens/key_names.h"
#include "screens/menu_text.h"

namespace screens {
namespace {

constexpr Area kHelpButtonAreas[] = {
    {-5, -0.5L, -8, -6},   // PREVIOUS
    {0.3L, 2.8L, -8, -6},  // NEXT
    {3.5L, 6, -8, -6},     // BACK
};

}  // namespace

void THelpMenu::Create() {
  panel_ = CreateFormPicture(1, 16, 12);
  for (int n = 1; n <= kPages; ++n) {
    engine::OwnedPicture& page = pages_[static_cast<std::size_t>(n - 1)];
    const std::string file = "data\\over" + std::to_string(n) + ".png";
    page = engine::MakeOwnedPicture(iSpriteCreate("data\\sprite.x", 0),
                                    [&file] { return iTextureCreate(file.c_str()); });
    iSpriteScaleSet(page.sprite, {10, 7});
    iSpriteLocationSet(page.sprite, {0, -1});
  }
  if (shown_) Show();
}

void THelpMenu::Open() {
  page_ = 1;
  Show();
  context_.SetState(core::ssHelp);
}

void THelpMenu::Show() {
  shown_ = true;
  iSpriteShow(panel_.sprite);
  ShowPage();
}

void THelpMenu::Hide() {
  shown_ = false;
  iSpriteHide(panel_.sprite);
  for (const engine::OwnedPicture& page : pages_) iSpriteHide(page.sprite);
}

// A sprite that is shown moves to the front of its layer, so the page is
// always shown after the panel.
void THelpMenu::ShowPage() {
  for (const engine::OwnedPicture& page : pages_) iSpriteHide(page.sprite);
  iSpriteShow(pages_[static_cast<std::size_t>(page_ - 1)].sprite);
}

void THelpMenu::TurnPage(int step) {
  page_ += step;
  if (page_ < 1) page_ = kPages;
  if (page_ > kPages) page_ = 1;
  ShowPage();
}

void THelpMenu::Back() {
  iPrintsHide();
  Hide();
  context_.ShowMainMenu();
  context_.SetState(core::ssMainMenu);
}

void THelpMenu::Activate(int button) {
  switch (button) {
    case kPrevious:
      TurnPage(-1);
      break;
    case kNext:
      TurnPage(+1);
      break;
    case kBack:
      Back();
      break;
  }
}

void THelpMenu::HandleKeys() {
  if (iKeyClick(kKeyRight)) list_.Next(context_.menuSound());
  if (iKeyClick(kKeyLeft)) list_.Previous(context_.menuSound());
  if (iKeyClick(kKeyEnter)) Activate(list_.selection());
  if (context_.state() == core::ssHelp && iKeyClick(kKeyEsc)) Back();
}

void THelpMenu::Hover(long double x, long double y) {
  if (list_.Hover(kHelpButtonAreas, x, y)) context_.menuSound().Play();
}

void THelpMenu::Click(long double x, long double y) {
  const int button = MenuList::ItemAt(kHelpButtonAreas, x, y);
  if (button != 0) Activate(button);
}

void THelpMenu::Draw() const {
  iPrintsHide();
  const iHandle font = context_.font();
  const int selected = list_.selection();
  PrintMenuText("PREVIOUS", -5, -7, 0.5f, ButtonColor(selected == kPrevious), font);
  PrintMenuText("NEXT", 0.7L, -7, 0.5f, ButtonColor(selected == kNext), font);
  PrintMenuText("BACK", 3.7L, -7, 0.5f, ButtonColor(selected == kBack), font);
}

}  // namespace screens
