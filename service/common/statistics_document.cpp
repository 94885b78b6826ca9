#include "service/common/statistics_document.h"

namespace {

constexpr char kNamespace[] = "http://www.nrf-arts.org/UnifiedPOS/namespace/";

void Element(std::string* out, const char* indent, const char* name, const std::string& text) {
  *out += indent;
  *out += '<';
  *out += name;
  if (text.empty()) {
    *out += "/>\n";
    return;
  }
  *out += '>' + EscapeXmlText(text) + "</" + name + ">\n";
}

}  // namespace

std::string EscapeXmlText(const std::string& text) {
  std::string out;
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default:
        if (u >= 0x20 || c == '\t' || c == '\n' || c == '\r') out += c;
    }
  }
  return out;
}

std::string MakeStatisticsDocument(const StatisticsEquipment& e, const std::vector<StatisticValue>& values) {
  std::string out = "<?xml version=\"1.0\"?>\n";
  out += "<UPOSStat version=\"" + EscapeXmlText(e.unifiedPosVersion) + ".0\"";
  out += " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"";
  out += std::string(" xmlns=\"") + kNamespace + "\"";
  out += std::string(" xsi:schemaLocation=\"") + kNamespace + " UPOSStat.xsd\">\n";
  out += " <Equipment>\n";
  Element(&out, "  ", "UnifiedPOSVersion", e.unifiedPosVersion);
  out += "  <DeviceCategory UPOS=\"" + EscapeXmlText(e.deviceCategory) + "\"/>\n";
  Element(&out, "  ", "ManufacturerName", e.manufacturerName);
  Element(&out, "  ", "ModelName", e.modelName);
  Element(&out, "  ", "SerialNumber", e.serialNumber);
  Element(&out, "  ", "FirmwareRevision", e.firmwareRevision);
  Element(&out, "  ", "Interface", e.interfaceName);
  Element(&out, "  ", "InstallationDate", e.installationDate);
  out += " </Equipment>\n";
  for (const StatisticValue& v : values) {
    const char* tag = v.standard ? "Parameter" : "ManufacturerSpecific";
    out += std::string(" <") + tag + ">\n";
    Element(&out, "  ", "Name", v.name);
    Element(&out, "  ", "Value", v.value);
    out += std::string(" </") + tag + ">\n";
  }
  out += "</UPOSStat>\n";
  return out;
}
