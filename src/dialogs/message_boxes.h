#pragma once
// The boxes built in code: the information box, the two large-text boxes, the info box
// and the name entry. All but the info box run app-modally and return when answered.
#include <cstdint>
#include <string>
#include <string_view>

namespace bg {

inline constexpr int16_t kNameEntryWindow = 226;
inline constexpr int16_t kLargeMessageWindow = 239;
inline constexpr int16_t kInfoBoxWindow = 323;
inline constexpr int16_t kInformationWindow = 500;

void showMessageBox(std::string_view text);
void showLargeMessageYesNoDone(int16_t width, int16_t height, std::string_view text);
void showLargeMessageContinue(int16_t width, int16_t height, std::string_view title, std::string_view text,
                              int16_t justification);
// Opens the info box and returns at once; the dialog dispatcher closes it.
void showInfoDialog(std::string_view title, std::string_view text);
// The information box with Stay (the default) and Quit Anyway: true to stay.
bool askStayOrQuit(std::string_view text);
std::string enterNameDialog(std::string_view prompt, std::string_view defaultName);

// The info box's dialog callback: the dispatcher, which closes the box on its button and
// goes back to the window it came from.
extern void (*infoBoxDialogEvent)();

}  // namespace bg
