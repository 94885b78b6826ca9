#include "setup/transfer/entry_rules.h"

#include <cstring>

#include "common/registry_schema.h"
#include "platform/registry.h"
#include "setup/dialogs/port_values.h"

namespace devsetup {
namespace {

using device_rules::DeviceClass;
namespace s = schema;

enum class Check {
  kAnyText,     // any text
  kNotEmpty,    // a text the Service Object can't do without
  kClassName,   // "DeviceClass": the class itself
  kDigits,      // decimal text, as the boxes take it
  kOutputBuf,   // decimal text, never "0" ("Output Buffer Value Error!")
  kBaudRate,    // a rate the port can take
  kBitLength,   // 5 to 8
  kListIndex3,  // "0", "1" or "2" (Parity, Stop)
  kRadioIndex,  // "0" or "1"
  kAddress,     // dotted IPv4
  kNumber,      // any REG_DWORD
  kTcpPort,     // REG_DWORD 0 to 65535
};

struct Rule {
  const char* name;
  Check check;
};

constexpr Rule kPortDeviceRules[] = {
    {s::kDefault, Check::kNotEmpty},     {s::kDescription, Check::kAnyText}, {s::kDeviceName, Check::kNotEmpty},
    {s::kDeviceDesc, Check::kAnyText},   {s::kVersion, Check::kAnyText},     {s::kDeviceClass, Check::kClassName},
    {s::kLDN, Check::kAnyText},          {s::kPort, Check::kNotEmpty},       {s::kBaudRate, Check::kBaudRate},
    {s::kBitLength, Check::kBitLength},  {s::kHandShake, Check::kAnyText},   {s::kInputBuf, Check::kDigits},
    {s::kOutputBuf, Check::kOutputBuf},  {s::kInputSleep, Check::kDigits},   {s::kOutInterval, Check::kDigits},
    {s::kParity, Check::kListIndex3},    {s::kStop, Check::kListIndex3},     {s::kTimeout, Check::kDigits},
    {s::kModel, Check::kNumber},         {s::kComp, Check::kAnyText},        {s::kVid, Check::kAnyText},
    {s::kPid, Check::kAnyText},          {s::kUsbDeviceName, Check::kAnyText}, {s::kUsbCount, Check::kNumber},
    {s::kTcpIp, Check::kAddress},        {s::kTcpPort, Check::kTcpPort},     {s::kInf, Check::kAnyText},
    {s::kType, Check::kNumber},          {s::kPorttype, Check::kNumber},
};

constexpr Rule kDrawerRules[] = {
    {s::kDefault, Check::kNotEmpty},      {s::kDescription, Check::kAnyText},    {s::kDeviceName, Check::kNotEmpty},
    {s::kDeviceDesc, Check::kAnyText},    {s::kVersion, Check::kAnyText},        {s::kDeviceClass, Check::kClassName},
    {s::kLDN, Check::kAnyText},           {s::kPOSPrinter, Check::kNotEmpty},    {s::kOpenLevel, Check::kRadioIndex},
    {s::kConnectorPinNo, Check::kRadioIndex}, {s::kPulseOnTime, Check::kDigits}, {s::kPulseOffTime, Check::kDigits},
    {s::kComp, Check::kAnyText},
};

bool SameName(const std::string& a, const char* b) {
  if (a.size() != std::strlen(b)) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

const Rule* FindRule(DeviceClass deviceClass, const std::string& name) {
  auto find = [&](const auto& rules) -> const Rule* {
    for (const Rule& rule : rules) {
      if (SameName(name, rule.name)) return &rule;
    }
    return nullptr;
  };
  return deviceClass == DeviceClass::kCashDrawer ? find(kDrawerRules) : find(kPortDeviceRules);
}

bool IsNumberCheck(Check check) { return check == Check::kNumber || check == Check::kTcpPort; }

const char* ClassText(DeviceClass deviceClass) {
  switch (deviceClass) {
    case DeviceClass::kPOSPrinter: return s::kClassPOSPrinter;
    case DeviceClass::kLineDisplay: return s::kClassLineDisplay;
    case DeviceClass::kCashDrawer: break;
  }
  return s::kClassCashDrawer;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string CheckText(Check check, DeviceClass deviceClass, const std::string& text) {
  switch (check) {
    case Check::kAnyText: return "";
    case Check::kNotEmpty: return text.empty() ? "must not be empty" : "";
    case Check::kClassName:
      return text == ClassText(deviceClass) ? "" : Quoted(text) + " must be " + Quoted(ClassText(deviceClass));
    case Check::kDigits: return IsDigits(text) ? "" : Quoted(text) + " is not a decimal number";
    case Check::kOutputBuf:
      if (!IsDigits(text)) return Quoted(text) + " is not a decimal number";
      return text == "0" ? Quoted(text) + ": Output Buffer Value Error!" : "";
    case Check::kBaudRate:
      return IsDigits(text) && DecimalValue(text) > 0 ? "" : Quoted(text) + " is not a baud rate";
    case Check::kBitLength:
      return text.size() == 1 && text[0] >= '5' && text[0] <= '8' ? "" : Quoted(text) + " is not a bit length (5 to 8)";
    case Check::kListIndex3:
      return text == "0" || text == "1" || text == "2" ? "" : Quoted(text) + " is not \"0\", \"1\" or \"2\"";
    case Check::kRadioIndex: return text == "0" || text == "1" ? "" : Quoted(text) + " is not \"0\" or \"1\"";
    case Check::kAddress:
      return IsDottedAddress(text) ? "" : Quoted(text) + " is not an address of four numbers 0 to 255 (a.b.c.d)";
    case Check::kNumber:
    case Check::kTcpPort: break;
  }
  return "";
}

}  // namespace

bool IsDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

bool IsDottedAddress(const std::string& text) {
  size_t start = 0;
  for (int part = 0; part < 4; ++part) {
    const size_t dot = text.find('.', start);
    if ((part < 3) != (dot != std::string::npos)) return false;
    const std::string digits = text.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    if (!IsDigits(digits) || digits.size() > 3 || DecimalValue(digits) > 255) return false;
    start = dot + 1;
  }
  return true;
}

bool ValueText(const RegistryValue& value, std::string* text) {
  if (value.type != platform::kRegSz && value.type != platform::kRegExpandSz) return false;
  *text = value.bytes.substr(0, value.bytes.find('\0'));
  return true;
}

bool ValueNumber(const RegistryValue& value, uint32_t* number) {
  if (value.type != platform::kRegDword || value.bytes.size() != 4) return false;
  const auto* b = reinterpret_cast<const unsigned char*>(value.bytes.data());
  *number = uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
  return true;
}

uint32_t KnownValueType(DeviceClass deviceClass, const std::string& valueName) {
  const Rule* rule = FindRule(deviceClass, valueName);
  if (!rule) return 0;
  return IsNumberCheck(rule->check) ? platform::kRegDword : platform::kRegSz;
}

std::string CheckValue(DeviceClass deviceClass, const RegistryValue& value) {
  const Rule* rule = FindRule(deviceClass, value.name);
  if (!rule) return "";
  if (IsNumberCheck(rule->check)) {
    uint32_t number = 0;
    if (!ValueNumber(value, &number)) return "must be a number (dword)";
    if (rule->check == Check::kTcpPort && number > 65535) return std::to_string(number) + " is not a TCP port (0 to 65535)";
    return "";
  }
  std::string text;
  if (value.type != platform::kRegSz || !ValueText(value, &text)) return "must be a text (sz)";
  return CheckText(rule->check, deviceClass, text);
}

}  // namespace devsetup
