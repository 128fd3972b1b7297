#pragma once
// The yes/no question window, answered through the dialog dispatcher while the game runs
// on, and the explanation window that shows a title and a text until its button.
#include <cstdint>
#include <string_view>

namespace bg {

inline constexpr int16_t kQuestionWindow = 324;
inline constexpr int16_t kExplanationWindow = 325;
inline constexpr int16_t kCloseSessionQuestion = 2;  // the question kind that closes the session
inline constexpr std::size_t kQuestionLength = 63;

struct QuestionState {
  int16_t questionKind = 0;
};
extern QuestionState questionState;

// Opens the question and returns at once; its answer comes through answerQuestionDialog.
void askQuestion(std::string_view question, int16_t kind);
// -1 yes, 0 no. Closes the question (whatever its kind, so the menus never stay disabled).
void answerQuestionDialog(int16_t answer);
// Shows the title and text app-modally until the button; only with the board in front.
void blotRiskDialog(std::string_view title, std::string_view text);
// Game item 2: asks whether to close the session.
void askCloseSession();

}  // namespace bg
