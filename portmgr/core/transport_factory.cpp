#include "portmgr/core/null_transport.h"
#include "portmgr/core/transport.h"

namespace portmgr {

std::unique_ptr<ITransport> MakeTransport(const LinkConfig& config) {
  if (config.kind == LinkKind::Null) return std::make_unique<CNullTransport>();
  return MakeOsTransport(config);
}

}  // namespace portmgr
