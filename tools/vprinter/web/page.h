// The page, its style sheet and its script, served from the binary.
#pragma once

namespace vprinter {

extern const char kPageHtml[];
extern const char kPageCss[];
extern const char kPageJs[];

}  // namespace vprinter
