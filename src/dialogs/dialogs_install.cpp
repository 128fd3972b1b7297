#include "dialogs/dialogs_install.h"

#include "dialogs/dialog_dispatch.h"
#include "dialogs/message_boxes.h"

namespace bg {

void installDialogServices() { infoBoxDialogEvent = dialogEventHandler; }

}  // namespace bg
