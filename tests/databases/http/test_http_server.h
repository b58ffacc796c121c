#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "databases/http/test_certificate.h"

typedef struct ssl_ctx_st SSL_CTX;

namespace tamberlin::test {

// What the server answers to every request.
struct TestReply {
  int status = 200;
  std::string reason = "OK";
  std::string body;
  bool withContentLength = true;
  std::vector<std::string> extraHeaderLines;
  // Send only this much of the body, then hold the connection open without a
  // word (a stalled server) or, with dropAfterPart, close it.
  std::optional<size_t> sendOnly;
  bool dropAfterPart = false;
};

inline TestReply replyWith(int status, std::string reason, std::string body) {
  TestReply reply;
  reply.status = status;
  reply.reason = std::move(reason);
  reply.body = std::move(body);
  return reply;
}

// A small HTTP/1.1 server on 127.0.0.1 on a thread of its own, one
// connection at a time, over TLS when given a certificate. Every wait in it is
// bounded, so a test that goes wrong still ends.
class TestHttpServer {
 public:
  explicit TestHttpServer(const TestCertificate* tls = nullptr);
  ~TestHttpServer();
  TestHttpServer(const TestHttpServer&) = delete;
  TestHttpServer& operator=(const TestHttpServer&) = delete;

  // 0, or the errno of the failed bind. Port 0 takes any free port.
  int listen(uint16_t port);
  uint16_t port() const { return port_; }
  void setReply(TestReply reply);

  // The head (request line and header lines) of every request served.
  std::vector<std::string> requestHeads() const;
  int failedHandshakes() const;

 private:
  void serveLoop();
  void serve(int socket);

  SSL_CTX* tls_ = nullptr;
  int listenSocket_ = -1;
  uint16_t port_ = 0;
  std::thread thread_;
  mutable std::mutex mutex_;
  std::condition_variable stopped_;
  bool stopping_ = false;
  TestReply reply_;
  std::vector<std::string> heads_;
  int failedHandshakes_ = 0;
};

// Binds a fixed port such as 80 or 443, waiting a few seconds while another
// test holds it. Returns the reason when it cannot, for GTEST_SKIP.
std::optional<std::string> listenOnFixedPort(TestHttpServer& server, uint16_t port);

}  // namespace tamberlin::test
