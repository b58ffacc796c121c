#pragma once

#include <string>
#include <vector>

#include "databases/http_client.h"

namespace tamberlin {

struct CurlHttpClientOptions {
  // Certificates to trust in place of the system's (a test's own authority).
  std::string caFile;
  // "HOST:PORT:CONNECT-TO-HOST:CONNECT-TO-PORT" entries: connect elsewhere
  // than the request says, so a test server on a free port can stand in for
  // port 80 or 443.
  std::vector<std::string> connectTo;
  // Hosts reached without the proxy the environment names ("*": all).
  std::string noProxy;
};

// HTTP(S) through libcurl: no redirects followed, certificates and host names
// verified, proxies as the environment sets them.
class CurlHttpClient final : public HttpClient {
 public:
  explicit CurlHttpClient(CurlHttpClientOptions options = {});

  int open(const HttpRequest& request, const std::atomic<bool>* cancel,
           std::unique_ptr<HttpResponse>& response) override;

 private:
  CurlHttpClientOptions options_;
};

}  // namespace tamberlin
