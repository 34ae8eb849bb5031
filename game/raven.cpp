#include "game/raven.h"

#include "engine/engine.h"
#include "game/bonus.h"
#include "game/game_context.h"
#include "game/game_resources.h"
#include "game/level_platform.h"
#include "game/rect_box.h"
#include "game/slot_pictures.h"
#include "platform/random.h"

namespace game {
namespace {

constexpr int kRavenFrames = 6;
constexpr int kParcelFrames = 7;
constexpr int kRavenFirstSlot = 1;
constexpr std::int32_t kRavenFirstTag = 1001300;
constexpr int kParcelFirstSlot = 13;
constexpr std::int32_t kParcelFirstTag = 1001350;
constexpr float kRavenScale = 3.2f;
constexpr float kParcelScale = 1.6f;
constexpr std::uint32_t kRavenPictureStepMs = 50;
constexpr long double kFlightStep = 0.1L;
constexpr long double kDroppedDrift = 0.05L;
constexpr long double kParcelFall = 0.2L;
constexpr long double kParcelHalfSize = 0.2L;
constexpr long double kParcelBehind = 0.3L;
constexpr long double kParcelBelow = 0.7L;
constexpr long double kLostBelowY = -14;
constexpr long double kStandGap = 0.1L;

// The special bonus kinds a run may fetch, by random(5).
constexpr BonusKind kFetchable[] = {BonusKind::Snow, BonusKind::LifePlus, BonusKind::Banana,
                                    BonusKind::Pear, BonusKind::Clock};

}  // namespace

TRaven::TRaven(GameContext& game) : game_(game) {}

TRaven::~TRaven() = default;

void TRaven::CreateEngineObjects() {
  parcelSprite = engine::OwnedSprite(iSpriteCreate("data\\sprite.x", game_.camera));
  iSpriteScaleSet(parcelSprite, {kParcelScale, kParcelScale});
  sprite = engine::OwnedSprite(iSpriteCreate("data\\sprite.x", game_.camera));
  iSpriteScaleSet(sprite, {kRavenScale, kRavenScale});
  iSpritePrioritySet(parcelSprite, 2);
  iSpritePrioritySet(sprite, 2);
  // Images 0..5 face left (direction 0), 6..11 face right.
  for (int d = 0; d < 2; ++d) {
    for (int f = 1; f <= kRavenFrames; ++f) {
      const int image = d * kRavenFrames + f - 1;
      ravenPictures[d][f] = engine::OwnedTexture(
          game_.resources.TextureFromSlot(kRavenFirstSlot + image, kRavenFirstTag + image));
    }
  }
  for (int f = 1; f <= kParcelFrames; ++f) {
    parcelPictures[f] = engine::OwnedTexture(
        game_.resources.TextureFromSlot(kParcelFirstSlot + f - 1, kParcelFirstTag + f - 1));
  }
}

void TRaven::ShowRavenPicture() const {
  iSpriteTextureSet(sprite, ravenPictures[direction][frame]);
}

void TRaven::ShowParcelPicture() const {
  iSpriteTextureSet(parcelSprite, parcelPictures[parcelFrame]);
}

void TRaven::SetUp() {
  CreateEngineObjects();
  frame = 1;
  direction = 0;
  ShowRavenPicture();
  parcelFrame = 1;
  ShowParcelPicture();
  NewRun();
}

void TRaven::Reload() {
  CreateEngineObjects();
  ShowRavenPicture();
  ShowParcelPicture();
  // Placed at once: a waiting raven is not placed again until its delay is over.
  PlaceSprites();
}

int TRaven::ChooseBonus() const {
  const auto& bonuses = game_.objects.bonuses;
  for (const auto& bonus : bonuses) {
    if (bonus->kind() != BonusKind::Diamond && !bonus->taken) return -1;
  }
  const BonusKind wanted = kFetchable[platform::random(5)];
  for (std::size_t i = 0; i < bonuses.size(); ++i) {
    if (bonuses[i]->kind() == wanted) return static_cast<int>(i);
  }
  return -1;
}

void TRaven::NewRun() {
  using platform::random;
  idle = true;
  direction = static_cast<std::uint8_t>(random(2));
  frame = 1;
  ShowRavenPicture();
  if (direction == 1) {
    x = -19 - random(10) / 100.0L;
    endX = random(30) / 100.0L + 19;
  } else {
    x = random(10) / 100.0L + 19;
    endX = -19 - random(30) / 100.0L;
  }
  dropX = random(3200) / 100.0L - 16;
  y = random(20) / 100.0L + 8;
  parcelFrame = 1;
  ShowParcelPicture();
  iSpriteShow(sprite);
  iSpriteShow(parcelSprite);
  dropped = false;
  done = false;
  parcelX = direction == 1 ? x - kParcelBehind : x + kParcelBehind;
  parcelY = y - kParcelBelow;
  const int chosen = ChooseBonus();
  if (chosen >= 0) {
    idle = false;
    bonusIndex = chosen;
  }
  PlaceSprites();
  delay = idle ? -1.0L : random(20) / 10.0L + 2.0L;
}

void TRaven::FlyStep() {
  if (PictureStepDue(game_.Ticks(), lastStepTime, kRavenPictureStepMs)) {
    frame = NextInCycle(frame, kRavenFrames);
    ShowRavenPicture();
  }
  const long double sign = direction == 1 ? 1 : -1;
  x += sign * kFlightStep;
  parcelX += sign * (dropped ? kDroppedDrift : kFlightStep);
  PlaceSprites();
  if (done) {
    if (Past(endX)) {
      NewRun();
      return;
    }
  } else if (!dropped && Past(dropX)) {
    dropped = true;
  }
  if (dropped) FallParcel();
}

void TRaven::FallParcel() {
  parcelY -= kParcelFall;
  PlaceSprites();
  if (PictureStepDue(game_.Ticks(), parcelStepTime, kRavenPictureStepMs)) {
    parcelFrame = NextInCycle(parcelFrame, kParcelFrames);
    ShowParcelPicture();
  }
  const RectBox parcel = BoxAround(parcelX, parcelY, kParcelHalfSize, kParcelHalfSize);
  const TPlatform* landing = nullptr;
  for (const auto& platform : game_.objects.platforms) {
    if (RectsOverlap(platform->Box(), parcel)) {
      landing = platform.get();
      break;
    }
  }
  if (landing != nullptr && !done) {
    done = true;
    iSpriteHide(parcelSprite);
    TBonus& bonus = *game_.objects.bonuses[static_cast<std::size_t>(bonusIndex)];
    bonus.PutInPlayAt(parcelX, landing->y + landing->halfHeight + bonus.halfHeight + kStandGap);
  }
  if (parcelY < kLostBelowY) done = true;
}

void TRaven::PlaceSprites() const {
  iSpriteLocationSet(sprite, {static_cast<float>(x), static_cast<float>(y)});
  iSpriteLocationSet(parcelSprite, {static_cast<float>(parcelX), static_cast<float>(parcelY)});
}

void TRaven::Show() const {
  iSpriteShow(sprite);
  // The parcel too while it is carried or falling: otherwise a dialog or an
  // engine restart would make it vanish until the next run.
  if (!idle && !done) iSpriteShow(parcelSprite);
}

void TRaven::Hide() const {
  iSpriteHide(sprite);
  iSpriteHide(parcelSprite);
}

}  // namespace game
