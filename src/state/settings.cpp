#include "state/settings.h"

#include "state/program_state.h"

namespace bg {

Settings settings;
BG_RESETS_WITH_PROGRAM(settings);

bool soundHeard() { return settings.soundOptions.soundOn != 0 && settings.soundOptions.quietStretches == 0; }

void beginQuietStretch() { ++settings.soundOptions.quietStretches; }

void endQuietStretch() {
  if (settings.soundOptions.quietStretches > 0) --settings.soundOptions.quietStretches;
}

}  // namespace bg
