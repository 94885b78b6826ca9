// The small part of HTTP/1.1 the page needs: one request per connection,
// parsed from a buffer with hard size limits, and plain responses.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace vprinter {

struct HttpLimits {
  std::size_t maxHead = 8192;  // request line and headers
  std::size_t maxBody = 4096;
};

struct HttpRequest {
  std::string method, path, query, body;
  std::vector<std::pair<std::string, std::string>> headers;  // names in lower case
  // The value of the header (name in lower case), empty when absent.
  std::string header(const std::string& name) const;
};

enum class HttpParse { Incomplete, Done, Bad };

// Parses the request at the start of `in`. On Bad, `status` is the reply's
// code: 400 malformed, 413 body too large, 431 head too large, 501 a
// transfer coding it does not take.
HttpParse parseRequest(const std::string& in, const HttpLimits& limits, HttpRequest& req, int& status);

// A whole response that closes the connection; `headers` are extra lines,
// each ending in "\r\n".
std::string httpResponse(int status, const std::string& type, const std::string& body,
                         const std::string& headers = "");
const char* httpReason(int status);

}  // namespace vprinter
