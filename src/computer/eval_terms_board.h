#pragma once
// Evaluation terms of the candidate play: the running game, the best block, the anchor in
// the opponent's home board, men sent to the bar, and the home-board game.
namespace bg {

void checkRunningGame();
void evalBestBlock();
void evalAnchor();
void evalBarAndHitting();
void evalHomeBoardGame();

}  // namespace bg
