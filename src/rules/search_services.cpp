#include "state/search_services.h"

#include "rules/mover_view.h"
#include "state/program_state.h"

namespace bg {

SearchServices searchServices;
BG_RESETS_WITH_PROGRAM(searchServices);

namespace least {

void analysePosition() { buildMoverView(); }
void noService() {}
void showTitledText(std::string_view, std::string_view) {}

}  // namespace least
}  // namespace bg
