#include <algorithm>

#include "service/pipeline/page/page_mode.h"
#include "tests/fuzz/fuzz_drivers.h"

std::string RunPrintAreaInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  int32_t fields[4] = {1, 2, 3, 4};
  const bool accepted = ParsePrintArea(text, fields);
  if (accepted != (std::count(text.begin(), text.end(), ',') >= 3)) return "acceptance does not follow the commas";
  if (!accepted) return fields[0] == 1 && fields[3] == 4 ? "" : "a refused area changed the fields";
  // The values written back as plain numbers read the same.
  const std::string again = std::to_string(fields[0]) + "," + std::to_string(fields[1]) + "," +
                            std::to_string(fields[2]) + "," + std::to_string(fields[3]);
  int32_t reread[4];
  if (!ParsePrintArea(again, reread) || !std::equal(fields, fields + 4, reread)) return "values do not read back";
  return "";
}
