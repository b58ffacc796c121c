#include "databases/http/test_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <stdexcept>

namespace tamberlin::test {

namespace {

constexpr size_t kMaxRequestHead = 65536;
constexpr auto kLongestStall = std::chrono::seconds(20);

SSL_CTX* makeTlsContext(const TestCertificate& certificate) {
  SSL_CTX* context = SSL_CTX_new(TLS_server_method());
  BIO* certificateBio =
      BIO_new_mem_buf(certificate.certificatePem.data(), static_cast<int>(certificate.certificatePem.size()));
  BIO* keyBio =
      BIO_new_mem_buf(certificate.privateKeyPem.data(), static_cast<int>(certificate.privateKeyPem.size()));
  X509* x509 = PEM_read_bio_X509(certificateBio, nullptr, nullptr, nullptr);
  EVP_PKEY* key = PEM_read_bio_PrivateKey(keyBio, nullptr, nullptr, nullptr);
  const bool ok = context != nullptr && x509 != nullptr && key != nullptr &&
                  SSL_CTX_use_certificate(context, x509) == 1 && SSL_CTX_use_PrivateKey(context, key) == 1;
  X509_free(x509);
  EVP_PKEY_free(key);
  BIO_free(certificateBio);
  BIO_free(keyBio);
  if (!ok) {
    SSL_CTX_free(context);
    throw std::runtime_error("test server: TLS set-up failed");
  }
  return context;
}

// Reads and writes one connection, plain or over TLS.
class Connection {
 public:
  Connection(int socket, SSL* ssl) : socket_(socket), ssl_(ssl) {}
  long receive(char* into, size_t size) {
    if (ssl_ != nullptr) return SSL_read(ssl_, into, static_cast<int>(size));
    return ::recv(socket_, into, size, 0);
  }
  bool sendAll(std::string_view bytes) {
    while (!bytes.empty()) {
      const long sent = ssl_ != nullptr ? SSL_write(ssl_, bytes.data(), static_cast<int>(bytes.size()))
                                        : ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
      if (sent <= 0) return false;
      bytes.remove_prefix(static_cast<size_t>(sent));
    }
    return true;
  }

 private:
  int socket_;
  SSL* ssl_;
};

}  // namespace

TestHttpServer::TestHttpServer(const TestCertificate* tls) {
  // A client that hangs up mid-reply must not end the test process.
  std::signal(SIGPIPE, SIG_IGN);
  if (tls != nullptr) tls_ = makeTlsContext(*tls);
}

TestHttpServer::~TestHttpServer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  stopped_.notify_all();
  if (thread_.joinable()) thread_.join();
  if (listenSocket_ >= 0) ::close(listenSocket_);
  SSL_CTX_free(tls_);
}

int TestHttpServer::listen(uint16_t port) {
  listenSocket_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listenSocket_ < 0) return errno;
  const int on = 1;
  ::setsockopt(listenSocket_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::bind(listenSocket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listenSocket_, 8) != 0) {
    const int error = errno;
    ::close(listenSocket_);
    listenSocket_ = -1;
    return error;
  }
  socklen_t length = sizeof address;
  ::getsockname(listenSocket_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { serveLoop(); });
  return 0;
}

void TestHttpServer::setReply(TestReply reply) {
  std::lock_guard lock(mutex_);
  reply_ = std::move(reply);
}

std::vector<std::string> TestHttpServer::requestHeads() const {
  std::lock_guard lock(mutex_);
  return heads_;
}

int TestHttpServer::failedHandshakes() const {
  std::lock_guard lock(mutex_);
  return failedHandshakes_;
}

void TestHttpServer::serveLoop() {
  for (;;) {
    {
      std::lock_guard lock(mutex_);
      if (stopping_) return;
    }
    pollfd waiting{listenSocket_, POLLIN, 0};
    if (::poll(&waiting, 1, 50) <= 0) continue;
    const int socket = ::accept4(listenSocket_, nullptr, nullptr, SOCK_CLOEXEC);
    if (socket < 0) continue;
    const timeval timeout{3, 0};
    ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    ::setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    serve(socket);
    ::close(socket);
  }
}

void TestHttpServer::serve(int socket) {
  SSL* ssl = nullptr;
  if (tls_ != nullptr) {
    ssl = SSL_new(tls_);
    SSL_set_fd(ssl, socket);
    if (SSL_accept(ssl) != 1) {
      SSL_free(ssl);
      std::lock_guard lock(mutex_);
      ++failedHandshakes_;
      return;
    }
  }
  Connection connection(socket, ssl);
  std::string head;
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos && head.size() < kMaxRequestHead) {
    const long received = connection.receive(buffer, sizeof buffer);
    if (received <= 0) break;
    head.append(buffer, static_cast<size_t>(received));
  }
  TestReply reply;
  {
    std::lock_guard lock(mutex_);
    heads_.push_back(head.substr(0, head.find("\r\n\r\n")));
    reply = reply_;
  }
  std::string response = "HTTP/1.1 " + std::to_string(reply.status) + " " + reply.reason + "\r\n";
  if (reply.withContentLength) response += "Content-Length: " + std::to_string(reply.body.size()) + "\r\n";
  for (const std::string& line : reply.extraHeaderLines) response += line + "\r\n";
  response += "Connection: close\r\n\r\n";
  const size_t bodyBytes = std::min(reply.body.size(), reply.sendOnly.value_or(reply.body.size()));
  response.append(reply.body, 0, bodyBytes);
  if (connection.sendAll(response) && reply.sendOnly && !reply.dropAfterPart) {
    std::unique_lock lock(mutex_);
    stopped_.wait_for(lock, kLongestStall, [this] { return stopping_; });
  }
  if (ssl != nullptr) {
    if (!reply.sendOnly) SSL_shutdown(ssl);
    SSL_free(ssl);
  }
}

std::optional<std::string> listenOnFixedPort(TestHttpServer& server, uint16_t port) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  for (;;) {
    const int error = server.listen(port);
    if (error == 0) return std::nullopt;
    if (error != EADDRINUSE || std::chrono::steady_clock::now() > giveUp) {
      return "cannot listen on 127.0.0.1:" + std::to_string(port) + " (" + std::strerror(error) + ")";
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

}  // namespace tamberlin::test
