#include "databases/curl_http_client.h"

#include <gtest/gtest.h>

#include <thread>

#include "databases/downloader.h"
#include "databases/http/scripted_http.h"
#include "databases/http/test_http_server.h"
#include "databases/internet_error.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace tamberlin {
namespace {

using namespace std::chrono_literals;

std::string pattern(size_t size) {
  std::string body(size, '\0');
  for (size_t i = 0; i < size; ++i) body[i] = static_cast<char>('a' + (i * 7 + i / 251) % 26);
  return body;
}

std::string text(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

bool contains(const std::string& haystack, const std::string& needle) {
  return haystack.find(needle) != std::string::npos;
}

// The test server listens on a free port; the client is told to connect
// there when it means port 80 or 443 of 127.0.0.1, so a client that took the
// port from the URL would miss it.
class CurlHttpClientTest : public ::testing::Test {
 protected:
  void startServer(bool tls) {
    server = std::make_unique<test::TestHttpServer>(tls ? &certificate : nullptr);
    ASSERT_EQ(server->listen(0), 0);
    const std::string port = std::to_string(server->port());
    options.connectTo = {"127.0.0.1:80:127.0.0.1:" + port, "127.0.0.1:443:127.0.0.1:" + port};
  }
  // 20000 bytes of a 40000-byte body, then silence or a closed connection.
  void serveHalfTheBody(bool thenDrop) {
    startServer(false);
    test::TestReply reply = test::replyWith(200, "OK", pattern(40000));
    reply.sendOnly = 20000;
    reply.dropAfterPart = thenDrop;
    server->setReply(reply);
  }
  void trustTestCertificate() {
    caFile = dir.write(
        "ca.pem", std::vector<uint8_t>(certificate.certificatePem.begin(), certificate.certificatePem.end()));
    options.caFile = caFile;
  }
  FetchResult fetch(const std::string& url, const std::atomic<bool>* cancel = nullptr) {
    CurlHttpClient client(options);
    return fetchUrl(client, SteadyClock::instance(), 1, url, observer, cancel, limits);
  }

  test::TempDir dir;
  test::TestCertificate certificate = test::TestCertificate::create();
  std::string caFile;
  std::unique_ptr<test::TestHttpServer> server;
  CurlHttpClientOptions options{{}, {}, "*"};
  test::RecordingFetchObserver observer;
  FetchLimits limits;
};

TEST_F(CurlHttpClientTest, GetsTheBodyWithTheProgramsRequest) {
  startServer(false);
  const std::string body = pattern(3 << 20);  // more than the client buffers before pausing
  server->setReply(test::replyWith(200, "OK", body));
  const FetchResult result = fetch("http://127.0.0.1:8080/user_by_lh.php?id=5&n=1000");
  ASSERT_EQ(result.code, 0) << internetErrorText(result.code);
  EXPECT_EQ(result.statusCode, 200);
  EXPECT_EQ(result.contentLength, static_cast<int64_t>(body.size()));
  EXPECT_TRUE(text(result.body) == body);
  EXPECT_EQ(observer.events.back(), "end 1 0");
  EXPECT_EQ(observer.events[observer.events.size() - 2], "progress 1 " + std::to_string(body.size()));

  const std::vector<std::string> heads = server->requestHeads();
  ASSERT_EQ(heads.size(), 1u);
  const std::string& head = heads[0];
  EXPECT_TRUE(head.starts_with("GET /user_by_lh.php?id=5&n=1000 HTTP/1.1\r\n")) << head;
  EXPECT_TRUE(contains(head, "\r\nHost: 127.0.0.1\r\n")) << head;
  EXPECT_TRUE(contains(
      head, "\r\nUser-Agent: Mozilla/5.0 (Windows NT 6.1; WOW64; Trident/7.0; AS; rv:11.0) like Gecko\r\n"))
      << head;
  EXPECT_TRUE(contains(head, "\r\nAccept: text/*\r\n")) << head;
  EXPECT_TRUE(contains(head, "\r\nContent-Type: text/*")) << head;
}

TEST_F(CurlHttpClientTest, ABodyWithoutContentLengthEndsWithTheConnection) {
  startServer(false);
  const std::string body = pattern(50000);
  test::TestReply reply = test::replyWith(200, "OK", body);
  reply.withContentLength = false;
  server->setReply(reply);
  const FetchResult result = fetch("http://127.0.0.1/x");
  ASSERT_EQ(result.code, 0) << internetErrorText(result.code);
  EXPECT_EQ(result.contentLength, -1);
  EXPECT_TRUE(text(result.body) == body);
}

TEST_F(CurlHttpClientTest, RedirectsAreNotFollowed) {
  startServer(false);
  test::TestReply reply = test::replyWith(302, "Found", "moved");
  reply.extraHeaderLines = {"Location: http://127.0.0.1/elsewhere"};
  server->setReply(reply);
  const FetchResult result = fetch("http://127.0.0.1/x");
  EXPECT_EQ(result.code, 0);
  EXPECT_EQ(result.statusCode, 302);
  EXPECT_EQ(text(result.body), "moved");
  EXPECT_EQ(server->requestHeads().size(), 1u);
}

TEST_F(CurlHttpClientTest, HttpsInAnyLetterCaseGoesOverVerifiedTls) {
  startServer(true);
  trustTestCertificate();
  const std::string body = pattern(20000);
  server->setReply(test::replyWith(200, "OK", body));
  for (const char* url : {"HTTPS://127.0.0.1:8443/static/users.csv", "hTTps://127.0.0.1/static/users.csv"}) {
    SCOPED_TRACE(url);
    const FetchResult result = fetch(url);
    ASSERT_EQ(result.code, 0) << internetErrorText(result.code);
    EXPECT_TRUE(text(result.body) == body);
  }
  EXPECT_EQ(server->requestHeads().size(), 2u);
  EXPECT_EQ(server->failedHandshakes(), 0);
}

TEST_F(CurlHttpClientTest, AnUntrustedCertificateFails) {
  startServer(true);
  server->setReply(test::replyWith(200, "OK", pattern(20000)));
  const FetchResult result = fetch("https://127.0.0.1/static/users.csv");
  EXPECT_EQ(result.code, internet_error::kInvalidCertificateAuthority) << internetErrorText(result.code);
  EXPECT_TRUE(result.reportError);
  EXPECT_TRUE(result.body.empty());
  EXPECT_TRUE(server->requestHeads().empty());
}

TEST_F(CurlHttpClientTest, PlainHttpToATlsPortIsNotTakenForAnAnswer) {
  startServer(true);
  const FetchResult result = fetch("http://127.0.0.1/x");
  EXPECT_NE(result.code, 0);
  EXPECT_TRUE(result.body.empty());
}

TEST_F(CurlHttpClientTest, AStalledServerFailsWithErrorThirty) {
  serveHalfTheBody(false);
  limits.stall = 300ms;
  const auto started = std::chrono::steady_clock::now();
  const FetchResult result = fetch("http://127.0.0.1/status/users.csv");
  EXPECT_LT(std::chrono::steady_clock::now() - started, 4s);
  EXPECT_EQ(result.code, internet_error::kStalled);
  EXPECT_TRUE(result.body.empty());
  EXPECT_NE(std::find(observer.events.begin(), observer.events.end(), "progress 1 20000"),
            observer.events.end());
  EXPECT_EQ(observer.events.back(), "end 1 30");
}

TEST_F(CurlHttpClientTest, AConnectionDroppedMidBodyFails) {
  serveHalfTheBody(true);
  const FetchResult result = fetch("http://127.0.0.1/status/users.csv");
  EXPECT_EQ(result.code, internet_error::kConnectionAborted) << internetErrorText(result.code);
  EXPECT_TRUE(result.body.empty());
}

TEST_F(CurlHttpClientTest, ACancelFromAnotherThreadEndsAWaitingFetch) {
  serveHalfTheBody(false);
  std::atomic<bool> cancel{false};
  std::thread canceller([&] {
    std::this_thread::sleep_for(300ms);
    cancel = true;
  });
  const auto started = std::chrono::steady_clock::now();
  const FetchResult result = fetch("http://127.0.0.1/x", &cancel);
  canceller.join();
  EXPECT_EQ(result.code, internet_error::kCancelled);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 3s);
}

TEST_F(CurlHttpClientTest, NoServerListening) {
  startServer(false);
  options.connectTo = {"127.0.0.1:80:127.0.0.1:1"};
  const FetchResult result = fetch("http://127.0.0.1/x");
  EXPECT_EQ(result.code, internet_error::kCannotConnect) << internetErrorText(result.code);
}

TEST_F(CurlHttpClientTest, DownloadOfAn404PageAndOfAFullList) {
  startServer(false);
  const std::string previous = "previous list\r\n";
  dir.write("database.csv", std::vector<uint8_t>(previous.begin(), previous.end()));
  const Downloader::Target target{dir.path(), "database.csv", {}};
  CurlHttpClient client(options);
  Downloader downloader;
  test::ScriptedPrompt prompt;
  std::vector<uint8_t> body;

  const std::string page = std::string(300, 'n');
  server->setReply(test::replyWith(404, "Not Found", page));
  EXPECT_EQ(downloader.download(client, SteadyClock::instance(), "127.0.0.1/static/users.csv", target, prompt,
                                observer, body),
            -5);
  EXPECT_EQ(prompt.texts(), (std::vector<std::string>{"HTTP response code: 404 ", "Download failed. "}));
  EXPECT_EQ(text(test::TempDir::read(dir.file("http_response.txt"))), page);
  EXPECT_EQ(text(test::TempDir::read(dir.file("database.csv"))), previous);

  const std::string list = pattern(10000);
  server->setReply(test::replyWith(200, "OK", list));
  prompt.shown.clear();
  EXPECT_EQ(downloader.download(client, SteadyClock::instance(), "127.0.0.1/status/users.csv", target, prompt,
                                observer, body),
            0);
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_TRUE(text(body) == list);
  EXPECT_TRUE(text(test::TempDir::read(dir.file("database.csv"))) == list);
}

// The real ports: nothing maps them, so this shows the client connects to 80
// and 443 whatever the URL says. Needs the right to listen there.
TEST_F(CurlHttpClientTest, ThePortComesFromTheSchemeNotTheUrl) {
  test::TestHttpServer plain;
  if (const auto reason = test::listenOnFixedPort(plain, 80)) GTEST_SKIP() << *reason;
  test::TestHttpServer secure(&certificate);
  if (const auto reason = test::listenOnFixedPort(secure, 443)) GTEST_SKIP() << *reason;
  options.connectTo.clear();
  trustTestCertificate();
  const std::string body = pattern(12000);
  plain.setReply(test::replyWith(200, "OK", body));
  secure.setReply(test::replyWith(200, "OK", body));

  struct Case {
    const char* url;
    test::TestHttpServer* server;
  };
  const std::vector<Case> cases = {
      {"127.0.0.1/status/users.csv", &plain},
      {"http://127.0.0.1:8080/status/users.csv", &plain},
      {"HTTPS://127.0.0.1/static/users.csv", &secure},
      {"https://127.0.0.1:8443/static/users.csv", &secure},
  };
  CurlHttpClient client(options);
  Downloader downloader;
  test::ScriptedPrompt prompt;
  std::vector<uint8_t> received;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    const size_t before = c.server->requestHeads().size();
    EXPECT_EQ(downloader.download(client, SteadyClock::instance(), c.url, {dir.path(), "database.csv", {}},
                                  prompt, observer, received),
              0);
    EXPECT_EQ(c.server->requestHeads().size(), before + 1);
    EXPECT_TRUE(text(received) == body);
  }
  EXPECT_TRUE(prompt.shown.empty());
}

}  // namespace
}  // namespace tamberlin
