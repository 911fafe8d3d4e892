// How a host callback reaches the object that serves it.
//
// The host's callbacks are plain C functions without a context argument, yet the state behind
// each lives in an object its owner made, and several such objects may live at once. So every
// method that serves a callback has a small fixed table of slots, and each slot its own function
// (an instance of Enter<N>) that calls the method on the object holding that slot. An object takes
// a free slot when it is made, hands the plug-in the function of that slot, and frees the slot
// when it goes. The tables are the only process-wide state this needs, and a context-free function
// pointer can reach an object no other way. Slots are taken and freed safely from any thread; the
// objects behind them expect one call at a time, as the host makes them.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>

#include "host/abi.h"

namespace hostsim {

// Objects of one kind that can serve the plug-in at the same time.
constexpr std::size_t kCallbackSlots = 8;

// Takes the first free slot of the table for owner. More owners than slots is the caller's error,
// reported with what names the kind of object.
template <typename T, std::size_t N>
std::size_t TakeSlot(std::atomic<T*> (&slots)[N], T* owner, const char* what) {
  for (std::size_t i = 0; i < N; ++i) {
    T* none = nullptr;
    if (slots[i].compare_exchange_strong(none, owner)) return i;
  }
  throw std::runtime_error(std::string("hostsim: more than ") + std::to_string(N) + " " + what + " alive at once");
}

template <auto Method>
class CallbackSlot;

// The slot of one object for the callback that Method serves.
template <typename Owner, typename R, typename... Args, R (Owner::*Method)(Args...)>
class CallbackSlot<Method> {
 public:
  using Function = R(ZU_ABI*)(Args...);

  CallbackSlot(Owner& owner, const char* what) : index_(TakeSlot(owners_, &owner, what)) {}
  ~CallbackSlot() { owners_[index_].store(nullptr, std::memory_order_release); }
  CallbackSlot(const CallbackSlot&) = delete;
  CallbackSlot& operator=(const CallbackSlot&) = delete;

  // Reaches the owner while it lives. Called after the owner is gone (a stale pointer the
  // plug-in kept), it does nothing and fails: none for a pointer, -1 for a status.
  Function function() const {
    static constexpr std::array<Function, kCallbackSlots> kFunctions =
        Functions(std::make_index_sequence<kCallbackSlots>());
    return kFunctions[index_];
  }

 private:
  template <std::size_t N>
  static R ZU_ABI Enter(Args... args) {
    Owner* owner = owners_[N].load(std::memory_order_acquire);
    if constexpr (std::is_void_v<R>) {
      if (owner != nullptr) (owner->*Method)(args...);
    } else if constexpr (std::is_pointer_v<R>) {
      return owner != nullptr ? (owner->*Method)(args...) : nullptr;
    } else {
      return owner != nullptr ? (owner->*Method)(args...) : R(-1);
    }
  }

  template <std::size_t... N>
  static constexpr std::array<Function, sizeof...(N)> Functions(std::index_sequence<N...>) {
    return {&Enter<N>...};
  }

  static inline std::atomic<Owner*> owners_[kCallbackSlots] = {};

  std::size_t index_;
};

}  // namespace hostsim
