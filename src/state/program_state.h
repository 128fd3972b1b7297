#pragma once
// One reset for the whole program's state. Each unit that defines a global state struct
// registers how to make it fresh beside its definition, so a new unit cannot be left out.
// Tables loaded once at start-up and only read after (messages, program data, factors)
// are not registered: they are the same in every game.
#include <type_traits>

namespace bg {

using StateReset = void (*)();

// Adds a reset; returns true so it can initialise a namespace-scope constant.
bool registerStateReset(StateReset reset);

// Adds a release: a unit that holds platform handles (worlds, regions, pictures) gives
// them back before any struct is reset, so a reset loses nothing.
bool registerStateRelease(StateReset release);

// Runs every registered release, then every reset: each struct back to its first value,
// hook tables back to their least forms.
void resetProgramState();

}  // namespace bg

// Beside a global's definition: the object resets to a freshly built value.
#define BG_RESETS_WITH_PROGRAM(object)                                                 \
  [[maybe_unused]] static const bool object##ResetRegistered = ::bg::registerStateReset( \
      [] { object = std::remove_reference_t<decltype(object)>{}; })
