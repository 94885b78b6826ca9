#include "common/setup_file.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <set>

#include "platform/ansi_text.h"
#include "platform/registry.h"

namespace setup_file {
namespace {

using device_rules::DeviceClass;

constexpr size_t kMaxProblems = 100;
constexpr size_t kMaxValueNameChars = 16383;
constexpr const char kHex[] = "0123456789abcdef";

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

bool Same(const std::string& a, const char* b) { return Lower(a) == Lower(b); }

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// False with *bad at the first byte that is not UTF-8 text: a control
// character other than tab, CR and LF (unless anyAscii), or a malformed
// sequence.
bool IsUtf8Text(const std::string& bytes, size_t* bad, bool anyAscii = false) {
  for (size_t i = 0; i < bytes.size();) {
    *bad = i;
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {
      if (!anyAscii && ((c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F)) return false;
      ++i;
      continue;
    }
    const size_t length = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 && c < 0xF0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
    if (length == 0 || i + length > bytes.size()) return false;
    uint32_t code = c & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    // No overlong forms, surrogates or code points past U+10FFFF.
    constexpr uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kLeast[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return false;
    i += length;
  }
  return true;
}

// %XX for control characters, '%', the characters in extra, and blanks at
// either end; the rest as it is.
std::string Escape(const std::string& utf8, const char* extra) {
  std::string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    const bool edgeBlank = c == ' ' && (i == 0 || i + 1 == utf8.size());
    if (c < 0x20 || c == 0x7F || c == '%' || edgeBlank || (c && std::strchr(extra, c))) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Undoes Escape; false on a '%' without two hexadecimal digits or with one
// beyond ASCII (such characters are written as themselves).
bool Unescape(const std::string& text, std::string* out) {
  out->clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      *out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return false;
    const int high = HexDigit(text[i + 1]);
    const int low = HexDigit(text[i + 2]);
    if (high < 0 || low < 0 || high > 7) return false;
    *out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return true;
}

// Text from the file (UTF-8, escaped) to the code page.
std::string DecodeText(const std::string& raw, std::string* ansi) {
  std::string utf8;
  if (!Unescape(raw, &utf8)) return "a '%' is not followed by two hexadecimal digits of an ASCII character";
  if (!platform::Utf8ToAnsi(utf8, ansi)) return "\"" + raw + "\" holds a character this Windows code page lacks";
  return "";
}

bool ParseUnsigned(const std::string& text, uint64_t max, uint64_t* value) {
  if (text.empty() || text.size() > 10) return false;
  uint64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<uint64_t>(c - '0');
  }
  if (v > max) return false;
  *value = v;
  return true;
}

std::string ParseHexBytes(const std::string& data, std::string* bytes) {
  bytes->clear();
  if (data.empty()) return "";
  size_t start = 0;
  for (;;) {
    const size_t comma = data.find(',', start);
    const std::string item = Trim(data.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    const int high = item.size() == 2 ? HexDigit(item[0]) : -1;
    const int low = item.size() == 2 ? HexDigit(item[1]) : -1;
    if (high < 0 || low < 0) return "\"" + item + "\" is not a byte of two hexadecimal digits";
    *bytes += static_cast<char>(high * 16 + low);
    if (comma == std::string::npos) return "";
    start = comma + 1;
  }
}

struct ClassName_ {
  DeviceClass deviceClass;
  const char* name;
};
constexpr ClassName_ kClasses[] = {
    {DeviceClass::kPOSPrinter, "POSPrinter"},
    {DeviceClass::kLineDisplay, "LineDisplay"},
    {DeviceClass::kCashDrawer, "CashDrawer"},
};

enum class Section { kNone, kHeader, kPorts, kDevice, kEnd, kUnknown };

class Parser {
 public:
  Parser(SetupFile* file, std::vector<std::string>* problems) : file_(file), problems_(problems) {}
  bool Run(const std::string& bytes);

 private:
  bool Full() const { return problems_->size() >= kMaxProblems || stop_; }
  void Problem(int line, const std::string& text) {
    if (problems_->size() == kMaxProblems - 1) {
      problems_->push_back("line " + std::to_string(line) + ": too many problems; the rest of the file is not read");
      return;
    }
    if (problems_->size() < kMaxProblems) problems_->push_back("line " + std::to_string(line) + ": " + text);
  }
  void Line(int number, const std::string& text);
  void Header(int number, const std::string& inner);
  void KeyLine(int number, const std::string& name, const std::string& rest);
  void HeaderKey(int number, const std::string& name, const std::string& rest);
  void PortKey(int number, const std::string& name, const std::string& rest);
  void DeviceValue(int number, const std::string& name, const std::string& rest);

  SetupFile* file_;
  std::vector<std::string>* problems_;
  Section section_ = Section::kNone;
  bool sawHeader_ = false, sawFormat_ = false, sawPorts_ = false, stop_ = false;
  std::set<std::string> devices_;      // "class\name", lower case
  std::set<std::string> valueNames_;   // of the current device, lower case
  std::set<std::string> portKeys_;     // lower case
  bool skipDevice_ = false;
};

bool Parser::Run(const std::string& bytes) {
  if (bytes.size() > kMaxFileBytes) {
    problems_->push_back("the file is larger than " + std::to_string(kMaxFileBytes / (1024 * 1024)) +
                         " MiB; it is not a device set-up file");
    return false;
  }
  std::string text = bytes;
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  size_t bad = 0;
  if (!IsUtf8Text(text, &bad)) {
    const int line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(bad), '\n'));
    Problem(line, "the file is not UTF-8 text (control or undecodable bytes)");
    return false;
  }
  int number = 0;
  for (size_t start = 0; start < text.size() && !Full();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    ++number;
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    Line(number, Trim(line));
    start = end + 1;
  }
  if (!Full()) {
    if (!sawHeader_) {
      Problem(number ? number : 1, "the file is empty; a device set-up file begins with [DeviceSetup]");
    } else if (section_ != Section::kEnd) {
      Problem(number, "the file ends without its [End] line; it may have been cut off");
    }
  }
  return problems_->empty();
}

void Parser::Line(int number, const std::string& line) {
  if (line.empty() || line[0] == ';' || line[0] == '#') return;
  if (section_ == Section::kEnd) {
    Problem(number, "text after [End]");
    return;
  }
  if (line.front() == '[') {
    if (line.back() != ']') {
      Problem(number, "a section line must end with ']'");
      return;
    }
    Header(number, Trim(line.substr(1, line.size() - 2)));
    return;
  }
  if (!sawHeader_) {
    Problem(number, "not a device set-up file: it must begin with [DeviceSetup]");
    stop_ = true;
    return;
  }
  const size_t equals = line.find('=');
  if (equals == std::string::npos) {
    Problem(number, "\"" + line + "\" is neither a section nor a NAME=VALUE line");
    return;
  }
  KeyLine(number, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
}

void Parser::Header(int number, const std::string& inner) {
  if (!sawHeader_ && !Same(inner, "DeviceSetup")) {
    Problem(number, "not a device set-up file: it must begin with [DeviceSetup]");
    stop_ = true;
    return;
  }
  if (section_ == Section::kHeader && !sawFormat_) Problem(number, "[DeviceSetup] has no Format line");
  skipDevice_ = false;
  if (Same(inner, "DeviceSetup")) {
    if (sawHeader_) Problem(number, "[DeviceSetup] appears twice");
    sawHeader_ = true;
    section_ = Section::kHeader;
    return;
  }
  if (!sawFormat_) {
    stop_ = true;
    return;
  }
  if (Same(inner, "Ports")) {
    if (sawPorts_) Problem(number, "[Ports] appears twice");
    sawPorts_ = true;
    section_ = Section::kPorts;
    return;
  }
  if (Same(inner, "End")) {
    section_ = Section::kEnd;
    return;
  }
  const size_t slash = inner.find('\\');
  const ClassName_* cls = nullptr;
  for (const ClassName_& c : kClasses) {
    if (slash != std::string::npos && Same(inner.substr(0, slash), c.name)) cls = &c;
  }
  if (!cls) {
    Problem(number, "unknown section [" + inner + "]");
    section_ = Section::kUnknown;
    return;
  }
  section_ = Section::kDevice;
  Device device;
  device.deviceClass = cls->deviceClass;
  device.line = number;
  const std::string rawName = Trim(inner.substr(slash + 1));
  const std::string label = "[" + std::string(cls->name) + "\\" + rawName + "]";
  const std::string wrong = DecodeText(rawName, &device.name);
  if (!wrong.empty() || !IsDeviceKeyName(device.name)) {
    Problem(number, label + " device name: " +
                        (wrong.empty() ? "a device name is 1 to 255 characters, without '\\', not beginning with '['"
                                       : wrong));
    skipDevice_ = true;
    return;
  }
  if (file_->devices.size() >= kMaxDevices) {
    Problem(number, "more than " + std::to_string(kMaxDevices) + " devices; the file is refused");
    stop_ = true;
    return;
  }
  if (!devices_.insert(Lower(std::string(cls->name) + "\\" + device.name)).second) {
    Problem(number, label + " appears twice (device names do not differ by case)");
    skipDevice_ = true;
    return;
  }
  valueNames_.clear();
  file_->devices.push_back(std::move(device));
}

void Parser::KeyLine(int number, const std::string& name, const std::string& rest) {
  switch (section_) {
    case Section::kHeader: HeaderKey(number, name, rest); return;
    case Section::kPorts: PortKey(number, name, rest); return;
    case Section::kDevice:
      if (!skipDevice_) DeviceValue(number, name, rest);
      return;
    case Section::kUnknown: return;  // reported with its header
    case Section::kNone:
    case Section::kEnd: break;
  }
  Problem(number, "a NAME=VALUE line outside a section");
}

void Parser::HeaderKey(int number, const std::string& name, const std::string& rest) {
  if (!Same(name, "Format")) {
    Problem(number, "[DeviceSetup] " + name + ": unknown key");
    return;
  }
  uint64_t format = 0;
  if (sawFormat_ || !ParseUnsigned(rest, 1000000, &format) || format == 0) {
    Problem(number, "[DeviceSetup] Format: \"" + rest + "\" is not a format number given once");
    stop_ = true;
    return;
  }
  if (format > static_cast<uint64_t>(kFormat)) {
    Problem(number, "[DeviceSetup] Format: the file is of format " + rest + ", written by a later devsetup; this one reads up to " +
                        std::to_string(kFormat));
    stop_ = true;
    return;
  }
  sawFormat_ = true;
  file_->format = static_cast<int>(format);
}

void Parser::PortKey(int number, const std::string& name, const std::string& rest) {
  const char* key = nullptr;
  for (const char* k : kPortKeys) {
    if (Same(name, k)) key = k;
  }
  if (!key) {
    Problem(number, "[Ports] " + name + ": unknown key (COMRange, LPTRange or LPTMRange)");
    return;
  }
  uint64_t count = 0;
  if (!ParseUnsigned(rest, 1000000, &count)) {
    Problem(number, std::string("[Ports] ") + key + ": \"" + rest + "\" is not a decimal number");
    return;
  }
  if (!portKeys_.insert(Lower(key)).second) {
    Problem(number, std::string("[Ports] ") + key + ": given twice");
    return;
  }
  file_->ports.push_back(PortCount{key, static_cast<int32_t>(count), number});
}

void Parser::DeviceValue(int number, const std::string& name, const std::string& rest) {
  Device& device = file_->devices.back();
  const std::string label = DeviceLabel(device.deviceClass, device.name) + " " + name;
  if (device.values.size() >= kMaxValuesPerDevice) {
    Problem(number, label + ": more than " + std::to_string(kMaxValuesPerDevice) + " values in one device");
    skipDevice_ = true;
    return;
  }
  Value value;
  value.line = number;
  const std::string wrong = ParseValue(name, rest, &value.value);
  if (!wrong.empty()) {
    Problem(number, label + ": " + wrong);
    return;
  }
  if (!valueNames_.insert(Lower(value.value.name)).second) {
    Problem(number, label + ": given twice (value names do not differ by case)");
    return;
  }
  device.values.push_back(std::move(value));
}

}  // namespace

const char* ClassName(DeviceClass deviceClass) {
  for (const ClassName_& c : kClasses) {
    if (c.deviceClass == deviceClass) return c.name;
  }
  return "";
}

std::string DeviceLabel(DeviceClass deviceClass, const std::string& name) {
  std::string utf8;
  if (!platform::AnsiToUtf8(name, &utf8)) utf8 = name;
  return "[" + std::string(ClassName(deviceClass)) + "\\" + utf8 + "]";
}

bool IsDeviceKeyName(const std::string& name) {
  return !name.empty() && name.size() <= 255 && name.find('\\') == std::string::npos && name[0] != '[' &&
         name.find('\0') == std::string::npos;
}

bool IsUtf8(const std::string& text) {
  size_t bad = 0;
  return IsUtf8Text(text, &bad, true);
}

std::string ParseValue(const std::string& name, const std::string& typeAndData, RegistryValue* value) {
  if (name.empty()) return "a value line needs a name (@ for the default value)";
  if (name == "@") {
    value->name.clear();
  } else {
    const std::string wrong = DecodeText(name, &value->name);
    if (!wrong.empty()) return "name: " + wrong;
    if (value->name.size() > kMaxValueNameChars) return "the value name is too long";
    if (value->name.find('\0') != std::string::npos) return "a value name can't hold NUL";
  }
  const size_t colon = typeAndData.find(':');
  if (colon == std::string::npos) return "\"" + typeAndData + "\" has no TYPE: in front (sz:, dword:, ...)";
  const std::string type = Lower(Trim(typeAndData.substr(0, colon)));
  const std::string data = Trim(typeAndData.substr(colon + 1));
  if (type == "sz" || type == "expand_sz") {
    std::string text;
    const std::string wrong = DecodeText(data, &text);
    if (!wrong.empty()) return wrong;
    if (text.find('\0') != std::string::npos) return "a text can't hold NUL (%00)";
    value->type = type == "sz" ? platform::kRegSz : platform::kRegExpandSz;
    value->bytes = text + '\0';
    return "";
  }
  if (type == "dword") {
    uint64_t number = 0;
    if (!ParseUnsigned(data, 0xFFFFFFFFull, &number)) return "\"" + data + "\" is not a number from 0 to 4294967295";
    *value = NumberValue(value->name, static_cast<int32_t>(static_cast<uint32_t>(number)));
    return "";
  }
  uint64_t number = platform::kRegBinary;
  const bool plainHex = type == "hex";
  if (!plainHex && !(type.size() > 5 && type.compare(0, 4, "hex(") == 0 && type.back() == ')' &&
                     ParseUnsigned(type.substr(4, type.size() - 5), 0xFFFFFFFFull, &number))) {
    return "unknown type \"" + type + "\" (sz, expand_sz, dword, hex or hex(N))";
  }
  value->type = static_cast<uint32_t>(number);
  return ParseHexBytes(data, &value->bytes);
}

bool FormatValue(const RegistryValue& value, std::string* text) {
  const std::string& b = value.bytes;
  const bool isText = value.type == platform::kRegSz || value.type == platform::kRegExpandSz;
  // Text that the file form gives back byte for byte: one closing NUL.
  if (isText && !b.empty() && b.find('\0') == b.size() - 1) {
    std::string utf8;
    if (platform::AnsiToUtf8(b.substr(0, b.size() - 1), &utf8)) {
      *text = (value.type == platform::kRegSz ? "sz:" : "expand_sz:") + Escape(utf8, "");
      return true;
    }
  }
  if (value.type == platform::kRegDword && b.size() == 4) {
    const auto* u = reinterpret_cast<const unsigned char*>(b.data());
    const uint32_t n = uint32_t{u[0]} | uint32_t{u[1]} << 8 | uint32_t{u[2]} << 16 | uint32_t{u[3]} << 24;
    *text = "dword:" + std::to_string(n);
    return true;
  }
  std::string out = "hex(" + std::to_string(value.type) + "):";
  for (size_t i = 0; i < b.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(b[i]);
    if (i) out += ',';
    out += kHex[c >> 4];
    out += kHex[c & 0xF];
  }
  *text = out;
  return true;
}

bool Parse(const std::string& bytes, SetupFile* file, std::vector<std::string>* problems) {
  *file = SetupFile();
  Parser parser(file, problems);
  return parser.Run(bytes);
}

bool Write(const SetupFile& file, std::string* text, std::vector<std::string>* problems) {
  const size_t before = problems->size();
  std::string out;
  out += "; Tavo OPOS device set-up: devsetup.exe /import FILE applies it with Device Setup's rules.\r\n";
  out += "; Values: NAME=TYPE:DATA, @ is a key's default value; see the technician's guide.\r\n";
  out += "[DeviceSetup]\r\nFormat=" + std::to_string(file.format) + "\r\n";
  if (!file.ports.empty()) {
    out += "\r\n[Ports]\r\n";
    for (const PortCount& port : file.ports) out += port.key + "=" + std::to_string(port.count) + "\r\n";
  }
  for (const Device& device : file.devices) {
    std::string name;
    if (!platform::AnsiToUtf8(device.name, &name)) {
      problems->push_back(DeviceLabel(device.deviceClass, device.name) + ": the name can't be written as UTF-8");
      continue;
    }
    out += "\r\n[" + std::string(ClassName(device.deviceClass)) + "\\" + Escape(name, "]") + "]\r\n";
    for (const Value& v : device.values) {
      std::string valueName, data;
      if (!platform::AnsiToUtf8(v.value.name, &valueName) || !FormatValue(v.value, &data)) {
        problems->push_back(DeviceLabel(device.deviceClass, device.name) + ": a value can't be written as UTF-8");
        continue;
      }
      if (valueName.empty()) {
        valueName = "@";
      } else {
        valueName = Escape(valueName, "=");
        if (valueName == "@" || valueName[0] == ';' || valueName[0] == '#' || valueName[0] == '[') {
          valueName = "%" + std::string(1, kHex[static_cast<unsigned char>(valueName[0]) >> 4]) +
                      kHex[static_cast<unsigned char>(valueName[0]) & 0xF] + valueName.substr(1);
        }
      }
      out += valueName + "=" + data + "\r\n";
    }
  }
  out += "\r\n[End]\r\n";
  *text = out;
  return problems->size() == before;
}

}  // namespace setup_file
