#include "core/screen_state.h"

namespace core {

const char* ScreenStateName(std::uint8_t code) {
  switch (code) {
    case ssPlaying:
      return "ssPlaying";
    case ssMainMenu:
      return "ssMainMenu";
    case ssOptions:
      return "ssOptions";
    case ssHelp:
      return "ssHelp";
    case ssOptionsCountry:
      return "ssOptionsCountry";
    case ssOptionsBossKey:
      return "ssOptionsBossKey";
    case ssConfirmQuit:
      return "ssConfirmQuit";
    case ssRecords:
      return "ssRecords";
    case ssConfirmClearRecords:
      return "ssConfirmClearRecords";
    case ssPaused:
      return "ssPaused";
    case ssResumeGame:
      return "ssResumeGame";
    case ssConfirmLeaveGame:
      return "ssConfirmLeaveGame";
    case ssNewGame:
      return "ssNewGame";
    case ssRecordEntry:
      return "ssRecordEntry";
    case ssRecordEntryName:
      return "ssRecordEntryName";
    case ssRecordEntryCountry:
      return "ssRecordEntryCountry";
    case ssConfirmSendResult:
      return "ssConfirmSendResult";
    case ssSending:
      return "ssSending";
    case ssConnectFailed:
      return "ssConnectFailed";
    default:
      return "";
  }
}

}  // namespace core
