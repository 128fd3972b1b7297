// The independent move generator of the rules tests, shared with the game tests.
#include "rules/reference_moves.cpp"  // NOLINT(bugprone-suspicious-include)
