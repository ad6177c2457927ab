// On the simulated desktop every window lives in this process: the model here serves all.
#include "plugin_manager/export_route.h"

namespace tavrosk::host {

ExportRoute export_route() {
  return ExportRoute::kOwnModel;
}

std::optional<ExportAnswer> forward_to_host_program(const ExportCall&) {
  return std::nullopt;
}

}  // namespace tavrosk::host
