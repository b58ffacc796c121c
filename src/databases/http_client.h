#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

// The seam between the download rules and the network library: one GET, its
// response headers, then the body pulled in pieces by the caller.
namespace tamberlin {

// Where a request goes, already checked: the host holds only host-name
// characters (or a bracketed IPv6 address) and the request target only
// characters that may stand in a request line.
struct HttpTarget {
  bool secure = false;
  std::string host;
  int port = 80;
  std::string requestTarget = "/";  // path and query
};

struct HttpRequest {
  HttpTarget target;
  std::string userAgent;
  std::vector<std::string> headerLines;  // "Name: value"
  // Connecting, sending and waiting for the response headers together.
  std::chrono::milliseconds headersTimeout{30000};
};

struct BodyAvailability {
  int error = 0;       // non-zero: the transfer failed with this code
  size_t bytes = 0;    // ready to be read now
  bool ended = false;  // the whole body has been read
};

struct BodyRead {
  int error = 0;
  size_t bytes = 0;
};

class HttpResponse {
 public:
  virtual ~HttpResponse() = default;
  virtual int statusCode() const = 0;         // -1 when unknown
  virtual int64_t contentLength() const = 0;  // -1 when the header is absent
  // Waits at most `maxWait` for body bytes. No bytes and not ended: nothing
  // arrived in that time.
  virtual BodyAvailability waitForBody(std::chrono::milliseconds maxWait) = 0;
  virtual BodyRead read(std::span<uint8_t> into) = 0;
};

class HttpClient {
 public:
  virtual ~HttpClient() = default;
  // Connects, sends the request and waits for the response headers. Gives up
  // with the cancelled code soon after `*cancel` turns true. Safe to call
  // from several threads at once.
  virtual int open(const HttpRequest& request, const std::atomic<bool>* cancel,
                   std::unique_ptr<HttpResponse>& response) = 0;
};

}  // namespace tamberlin
