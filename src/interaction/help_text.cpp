#include "interaction/help_text.h"

#include "runtime/qt/resources.h"

namespace bg {

Str255 loadHelpText(std::string_view name) {
  // A name is one resource, never a path into others.
  if (name.find('/') != std::string_view::npos) return {};
  return getNamedString(name);
}

}  // namespace bg
