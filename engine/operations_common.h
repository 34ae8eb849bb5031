// Lookups shared by the files that implement the engine operations.
#pragma once

#include "engine/runtime.h"

namespace engine::detail {

template <typename Map>
auto* Find(Map& map, iHandle handle) {
  auto it = map.find(handle);
  return it == map.end() ? nullptr : &it->second;
}

// The installed engine's world object for a handle, or nullptr. A non-zero
// handle that names nothing is counted (Engine::deadHandleCalls).
#define ZQ_ENGINE_FIND(kind, handle)                                                   \
  ([&]() -> decltype(::engine::detail::Find(::engine::Installed()->world().kind, 0)) { \
    auto* e = ::engine::Installed();                                                   \
    if (!e) return nullptr;                                                            \
    auto* found = ::engine::detail::Find(e->world().kind, handle);                     \
    if (!found && (handle) != 0) e->CountDeadHandleCall();                             \
    return found;                                                                      \
  }())

}  // namespace engine::detail
