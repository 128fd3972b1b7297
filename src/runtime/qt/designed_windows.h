#pragma once
// Windows laid out in Qt Designer forms (resources/ui/<name>.ui). Every widget of a form
// whose dynamic property `control` holds a number becomes that control of the window; a
// radio group is one numbered container whose buttons carry `value` 1..n.
#include <cstdint>
#include <string_view>

namespace bg {

// Opens window n, hidden, at the form's size (movable, not resizable) with the form's
// widgets as its controls. A missing or unreadable form opens
// nothing: false.
bool openDesignedWindow(int16_t n, std::string_view name);

// Grows window n to what its form needs once its texts are filled in, so that no text
// is cut; it never shrinks.
void fitDesignedWindow(int16_t n);

// Shows window n in front, application-modal for input: the other windows get no clicks
// or keys while it is open, and no loop runs here.
void showModalWindow(int16_t n);

}  // namespace bg
