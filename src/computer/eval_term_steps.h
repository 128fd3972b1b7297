#pragma once
// Steps the evaluation terms share. Scores are worked in double precision and kept in
// single precision after every step; the board is the candidate's, after and before its
// play, from the mover's view (mover negative).
#include <cstdint>

#include "computer/eval_scores.h"
#include "state/analysis_state.h"

namespace bg::evalterm {

inline void addTo(float& score, double amount) { score = static_cast<float>(score + amount); }
inline void addMain(double amount) { addTo(evalScores.mainScore, amount); }

inline int16_t after(int p) { return analysis.evalBoard[p]; }
inline int16_t before(int p) { return analysis.evalBoardB[p]; }
inline bool moverHolds(int p) { return after(p) <= -2; }
inline bool opponentHolds(int p) { return after(p) >= 2; }

}  // namespace bg::evalterm
