#include "rules/search_services.h"

#include "rules/mover_view.h"

namespace bg {

SearchServices searchServices;

namespace least {

void analysePosition() { buildMoverView(); }
void noService() {}
void showTitledText(std::string_view, std::string_view) {}

}  // namespace least
}  // namespace bg
