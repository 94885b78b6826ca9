#include "setup/transfer/value_settings.h"

#include "platform/ansi_text.h"
#include "platform/registry.h"
#include "setup/transfer/entry_rules.h"

namespace devsetup {
namespace {

using device_rules::DeviceClass;

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

}  // namespace

bool ParseSetting(const std::string& argument, ValueSetting* setting, std::string* problem) {
  const size_t equals = argument.find('=');
  const size_t slash = argument.find('\\');
  const size_t colon = equals == std::string::npos ? std::string::npos : argument.rfind(':', equals);
  if (equals == std::string::npos || slash == std::string::npos || colon == std::string::npos || colon < slash) {
    *problem = "/set " + argument + ": not of the form CLASS\\DEVICE:VALUE=DATA";
    return false;
  }
  const std::string cls = Lower(argument.substr(0, slash));
  bool known = false;
  for (DeviceClass c : {DeviceClass::kPOSPrinter, DeviceClass::kLineDisplay, DeviceClass::kCashDrawer}) {
    if (cls == Lower(setup_file::ClassName(c))) {
      setting->deviceClass = c;
      known = true;
    }
  }
  if (!known) {
    *problem = "/set " + argument + ": the class is POSPrinter, LineDisplay or CashDrawer";
    return false;
  }
  setting->argument = argument;
  setting->device = argument.substr(slash + 1, colon - slash - 1);
  setting->valueName = argument.substr(colon + 1, equals - colon - 1);
  setting->data = argument.substr(equals + 1);
  if (setting->device.empty() || setting->valueName.empty()) {
    *problem = "/set " + argument + ": the device and the value must be named";
    return false;
  }
  return true;
}

bool ApplySettings(const std::vector<ValueSetting>& settings, setup_file::SetupFile* file,
                   std::vector<std::string>* problems) {
  const size_t before = problems->size();
  for (const ValueSetting& setting : settings) {
    std::string device, name;
    if (!platform::Utf8ToAnsi(setting.device, &device) || !platform::Utf8ToAnsi(setting.valueName, &name)) {
      device = setting.device;
      name = setting.valueName;
    }
    if (name == "@") name.clear();
    setup_file::Device* target = nullptr;
    for (setup_file::Device& d : file->devices) {
      if (d.deviceClass == setting.deviceClass && Lower(d.name) == Lower(device)) target = &d;
    }
    if (!target) {
      problems->push_back("/set " + setting.argument + ": the file holds no such device");
      continue;
    }
    setup_file::Value* value = nullptr;
    for (setup_file::Value& v : target->values) {
      if (Lower(v.value.name) == Lower(name)) value = &v;
    }
    uint32_t type = value ? value->value.type : KnownValueType(setting.deviceClass, name);
    if (type == 0) type = platform::kRegSz;
    // The data is what the file would hold after "TYPE:", without escapes.
    // Windows gives the command line in the code page: data that is not
    // UTF-8 is code-page text.
    std::string data = setting.data;
    if (!setup_file::IsUtf8(data) && !platform::AnsiToUtf8(setting.data, &data)) data = setting.data;
    std::string escaped;
    for (char c : data) escaped += c == '%' ? std::string("%25") : std::string(1, c);
    const char* typeName = type == platform::kRegDword ? "dword:" : type == platform::kRegExpandSz ? "expand_sz:" : "sz:";
    if (type != platform::kRegSz && type != platform::kRegExpandSz && type != platform::kRegDword) {
      problems->push_back("/set " + setting.argument + ": the value is of a type /set can't write");
      continue;
    }
    RegistryValue parsed;
    const std::string wrong = setup_file::ParseValue(name.empty() ? "@" : "x", typeName + escaped, &parsed);
    if (!wrong.empty()) {
      problems->push_back("/set " + setting.argument + ": " + wrong);
      continue;
    }
    parsed.name = name;
    if (value) {
      value->value = parsed;
    } else {
      target->values.push_back(setup_file::Value{parsed, target->line});
    }
  }
  return problems->size() == before;
}

}  // namespace devsetup
