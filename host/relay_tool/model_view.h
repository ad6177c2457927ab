#pragma once
// The host program's view of the IDE model in its "Korvex IDE" window, as text: paths, pages
// with the active one marked, programmers with the current one marked, the lock and the
// session, and the active page's first lines.
#include <string>

#include "model/ide_model.h"

namespace tavrosk::host {

std::string describe_model(const IdeState& ide);

}  // namespace tavrosk::host
