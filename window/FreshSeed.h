#pragma once

#include <cstdint>
#include <optional>

// The Maze menu's check item "起動ごとに新しい迷路にする" (a text of the main
// window). While it is on (kept in the settings as maze/freshEachStart), each
// start of the program begins the random source at a fresh state instead of
// where its fixed sequence begins, so that the same path gives other mazes
// next session; the seed command shows and sets the state as ever. Off until
// chosen: one path gives the same mazes every session, as it always did.
namespace FreshSeed {

extern const char* const Caption;

bool isOn();
void setOn(bool on);
// Where this start of the program begins the random source: a fresh state
// while the item is on, nothing (the fixed beginning) while it is off.
std::optional<std::uint32_t> startState();

} // namespace FreshSeed
