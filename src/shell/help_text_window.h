#pragma once
// The plain help texts: one short text per help topic, shown read-only in a window of its
// own until the user closes it; context help picks the topic from what the board is
// waiting for.
#include <cstdint>

namespace bg {

inline constexpr int16_t kHelpTextWindow = 5;
inline constexpr int16_t kHighestHelpTopic = 39;
inline constexpr int16_t kHelpTopicsTopic = 19;  // the application menu's Help Topics

// Picks the topic from the state of the game, then shows it.
void showContextHelp();
// The topic context help would pick now (the topic code is left as it was when none fits).
int16_t contextHelpTopic();
// Shows topic helpTopicCode and waits until its window is closed.
void showHelpTextWindow();
// The 'TEXT' resource of a topic.
int16_t helpTextResourceId(int16_t topic);
// Content size of the window for a topic.
void helpTextWindowSize(int16_t topic, int& width, int& height);
// Runs the event pump until the wait is ended (waitEnded -1, cleared by the caller before
// it shows its window, or a quit is asked for), then drops what is pending.
void waitAndFlushEvents();
// Closes the help text shown and ends its wait (a quit asks its question on the board).
void dismissHelpText();
// Prints the help text shown.
void printHelpWindow();
// File items 3 and 4 and Options item 11 follow menuEnableState.
void setMenuItemsState();
void installHelpTextServices();

}  // namespace bg
