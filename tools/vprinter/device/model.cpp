#include "tools/vprinter/device/model.h"

#include <strings.h>

namespace vprinter {
namespace {

// Type ID bit 1: an autocutter is fitted; no multi-byte character fonts.
constexpr std::uint8_t kTypeCutter = 0x02;
constexpr int kCutterDots = 143;
constexpr char kMaker[] = "TAVO";
constexpr char kSerial[] = "VP0000001";

const Model kModels[] = {
    {"TavoPOS-R200", 0x20, kTypeCutter, 0x10, "1.00", kCutterDots},
    {"TavoPOS-R300", 0x21, kTypeCutter, 0x10, "1.00", kCutterDots},
    {"TavoPOS-R500", 0x22, kTypeCutter, 0x10, "1.00", kCutterDots},
};

// Text replies: header 5F, the text, NUL.
std::string textReply(const std::string& text) { return "_" + text + std::string(1, '\0'); }

}  // namespace

const Model* findModel(const std::string& name) {
  for (const Model& m : kModels)
    if (strcasecmp(m.name, name.c_str()) == 0) return &m;
  return nullptr;
}

const Model& defaultModel() { return kModels[1]; }

std::string modelNames() {
  std::string names;
  for (const Model& m : kModels) names += (names.empty() ? "" : ", ") + std::string(m.name);
  return names;
}

std::string printerIdReply(const Model& model, int n) {
  switch (n) {
    case 1: case 49: return std::string(1, char(model.modelId));
    case 2: case 50: return std::string(1, char(model.typeId));
    case 3: case 51: return std::string(1, char(model.versionId));
    case 65: return textReply(model.firmware);
    case 66: return textReply(kMaker);
    case 67: return textReply(model.name);
    case 68: return textReply(kSerial);
    default: return "";
  }
}

}  // namespace vprinter
