#pragma once
// The demo's sections, each run on the direct road and again on the relay road.
#include "demo_output.h"

namespace demo {

void session_section(DemoContext& demo);
void ide_section(DemoContext& demo);
void pages_section(DemoContext& demo);
void editing_section(DemoContext& demo);
void tools_section(DemoContext& demo);

using Section = void (*)(DemoContext&);
inline constexpr Section kSections[] = {
    session_section,
    ide_section,
    pages_section,
    editing_section,
    tools_section,
};

}  // namespace demo
