// The printer models the virtual printer can pose as: what they answer to
// the printer ID request (GS I) and where their cutter sits.
#pragma once

#include <cstdint>
#include <string>

namespace vprinter {

struct Model {
  const char* name;  // as in the package's setup data
  std::uint8_t modelId, typeId, versionId;
  const char* firmware;
  int cutterDistance;  // dots of paper between print head and cutter
};

// The model named (case-insensitive), null when there is none.
const Model* findModel(const std::string& name);
const Model& defaultModel();
// The model names, comma separated, for messages.
std::string modelNames();

// The reply to GS I n, empty when the model has none for n.
std::string printerIdReply(const Model& model, int n);

}  // namespace vprinter
