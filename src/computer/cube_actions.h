#pragma once
// The cube actions around the decisions: whether the side on roll may double, the double
// with its bookkeeping, the doubled side's answer (the computer's own or a human's on the
// question panel), the beaver, a dropped double, and the human's cube advice. Each acts on
// the side on roll (currentPlayer, the doubler) and its opponent (otherPlayer, the taker).
#include <cstdint>

namespace bg {

inline constexpr int64_t kBeaverWindowMicroseconds = 3'000'000;

// The double command of the side on roll: refused with its reason, decided by the
// computer for itself, then carried out.
void offerDouble();
// Sets cube.doubleAllowed (-1: may double); shows the reason for a refusal.
void canDouble();
// Doubles, gets the answer, then offers the beaver or drops.
void executeDouble();
// The taker's answer into cube.doubleTaken, announced when the computer answers.
void answerDouble();
// The Yes/No question to a human taker.
void humanAnswerDouble();
// After a take: a human taker has three seconds to click the cube; the computer judges
// the beaver itself. A beaver past the cube maximum is refused without a word.
void offerBeaver();
void executeBeaver();
// The double is dropped: the cube goes back and the game ends for the doubler.
void dropDouble();
// The human's cube-advice command: would the computer take, or double now?
void cubeAdvice();

}  // namespace bg
