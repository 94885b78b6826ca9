#include "service/common/decimal_text.h"

#include "service/pipeline/page/page_mode.h"

int32_t DecimalTextToInt(const std::string& text) { return ParseDecimalField(text); }
