#pragma once
// The computer's play: the opening book's reply on the first move, the choice of a row
// of the best-plays lists by skill level, and playing it checker by checker.
#include <cstdint>

namespace bg {

struct ComputerPlayState {
  int16_t chosenPlayIndex = 1;  // the row of the list that is played: 1 or 2
};

extern ComputerPlayState computerPlay;

// On turn 1, before the legal plays are evaluated: the book's play into both lists with
// score 99. Nothing when the position is not the starting position.
void pickOpeningBookPlay();

// Plays the chosen row for the side to move; nothing while the search only lists plays
// for the human.
void playComputerMove();

void choosePlayFromList();
void applySkillLevel();
void executeChosenPlay();
void executePlayDie(int16_t partMove);
void moveOrFinish();

}  // namespace bg
