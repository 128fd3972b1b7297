#pragma once

namespace bg {

// Puts the dialogs into the hooks of the areas below that open them.
void installDialogServices();

}  // namespace bg
