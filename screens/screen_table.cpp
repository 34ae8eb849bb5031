#include "screens/screen_table.h"

#include "core/screen_state.h"

namespace screens {

ScreenRow ScreenOf(std::uint8_t state) {
  using core::ScreenStateCode;
  constexpr ScreenRow kGameRunning{Screen::Game, true, true, Input::GameKeys};
  constexpr ScreenRow kGameStarting{Screen::Game, true, false, Input::None};
  constexpr ScreenRow kMenuQuestion{Screen::Question, false, false, Input::Menu};
  switch (static_cast<ScreenStateCode>(state)) {
    case core::ssPlaying:
    case core::ssPaused:
      return kGameRunning;
    case core::ssResumeGame:
    case core::ssNewGame:
      return kGameStarting;
    case core::ssConfirmLeaveGame:
      return {Screen::Question, true, true, Input::Menu};
    case core::ssMainMenu:
      return {Screen::MainMenu, false, false, Input::Menu};
    case core::ssOptions:
    case core::ssOptionsCountry:
    case core::ssOptionsBossKey:
      return {Screen::Options, false, false, Input::Menu};
    case core::ssHelp:
      return {Screen::Help, false, false, Input::Menu};
    case core::ssRecords:
      return {Screen::Records, false, false, Input::Menu};
    case core::ssRecordEntry:
    case core::ssRecordEntryName:
    case core::ssRecordEntryCountry:
      return {Screen::RecordEntry, false, false, Input::Menu};
    case core::ssConfirmQuit:
    case core::ssConfirmClearRecords:
    case core::ssConfirmSendResult:
    case core::ssConnectFailed:
      return kMenuQuestion;
    case core::ssSending:
      return {Screen::Question, false, false, Input::None};
  }
  return {};
}

}  // namespace screens
