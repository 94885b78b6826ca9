// Minimal JSON text helpers for the command log and the control replies.
#pragma once

#include <string>

namespace vprinter {

// A JSON string literal (with quotes); bytes >= 0x80 are taken as Latin-1.
std::string jsonQuote(const std::string& s);
// The same for UTF-8 text: its characters pass as they are, a byte that
// starts no valid sequence becomes U+FFFD.
std::string jsonQuoteUtf8(const std::string& s);
// Lower-case hex of the bytes, no separators.
std::string hexBytes(const std::string& s);

}  // namespace vprinter
