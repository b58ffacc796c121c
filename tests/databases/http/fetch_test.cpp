#include "databases/fetch.h"

#include <gtest/gtest.h>

#include "databases/http/scripted_http.h"
#include "databases/internet_error.h"

namespace tamberlin {
namespace {

using namespace std::chrono_literals;
using test::data;
using test::emptyRead;
using test::failure;
using test::silence;

class FetchTest : public ::testing::Test {
 protected:
  FetchResult fetch(std::string_view url = "http://host.example/list.csv") {
    return fetchUrl(client, clock, 7, url, observer, cancel.load() ? &cancel : nullptr, limits);
  }
  static std::string text(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
  }

  FakeClock clock;
  test::ScriptedHttpClient client{clock};
  test::RecordingFetchObserver observer;
  std::atomic<bool> cancel{false};
  FetchLimits limits;
};

TEST_F(FetchTest, CollectsTheBodyAndReportsEveryStep) {
  client.answer(200, 8, {data("abc"), data("defgh")});
  const FetchResult result = fetch("  https://host.example:8443/user_by_lh.php?id=5&n=1000  ");
  EXPECT_EQ(result.code, 0);
  EXPECT_EQ(result.statusCode, 200);
  EXPECT_EQ(result.contentLength, 8);
  EXPECT_EQ(text(result.body), "abcdefgh");
  EXPECT_EQ(observer.events,
            (std::vector<std::string>{"begin 7", "headers 7 8", "progress 7 3", "progress 7 8", "end 7 0"}));

  ASSERT_EQ(client.requests.size(), 1u);
  const HttpRequest& request = client.requests[0];
  EXPECT_TRUE(request.target.secure);
  EXPECT_EQ(request.target.port, 443);
  EXPECT_EQ(request.target.requestTarget, "/user_by_lh.php?id=5&n=1000");
  EXPECT_EQ(request.userAgent, "Mozilla/5.0 (Windows NT 6.1; WOW64; Trident/7.0; AS; rv:11.0) like Gecko");
  EXPECT_EQ(request.headerLines, (std::vector<std::string>{"Accept: text/*", "Content-Type: text/*"}));
}

TEST_F(FetchTest, AnErrorStatusStillBringsItsBody) {
  client.answerBody(404, "not here");
  const FetchResult result = fetch();
  EXPECT_EQ(result.code, 0);
  EXPECT_EQ(result.statusCode, 404);
  EXPECT_EQ(text(result.body), "not here");
}

// Every round of the loop also sleeps a millisecond: a silence and the two
// rounds around it make up the time since the last data.
TEST_F(FetchTest, StallsAfterFiveSecondsWithoutDataOrTenEmptyReads) {
  struct Case {
    const char* name;
    std::deque<test::BodyStep> steps;
    int code;
  };
  std::vector<Case> cases = {
      {"silence just short of 5 s", {data("a"), silence(4997ms), data("b")}, 0},
      {"silence of 5 s", {data("a"), silence(4998ms), data("b")}, internet_error::kStalled},
      {"silences add up", {data("a"), silence(2500ms), silence(2500ms), data("b")}, internet_error::kStalled},
      {"data restarts the watch", {data("a"), silence(2500ms), data("b"), silence(2500ms), data("c")}, 0},
      {"silence before any data", {silence(6s), data("a")}, internet_error::kStalled},
  };
  std::deque<test::BodyStep> nineEmpty(9, emptyRead());
  nineEmpty.push_back(data("a"));
  cases.push_back({"nine empty reads", nineEmpty, 0});
  std::deque<test::BodyStep> tenEmpty(10, emptyRead());
  tenEmpty.push_back(data("a"));
  cases.push_back({"ten empty reads", tenEmpty, internet_error::kStalled});
  std::deque<test::BodyStep> interrupted(9, emptyRead());
  interrupted.push_back(data("a"));
  interrupted.insert(interrupted.end(), 9, emptyRead());
  interrupted.push_back(data("b"));
  cases.push_back({"data resets the empty reads", interrupted, 0});

  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    client.answer(200, -1, std::move(c.steps));
    observer.events.clear();
    const FetchResult result = fetch();
    EXPECT_EQ(result.code, c.code);
    EXPECT_EQ(result.reportError, c.code != 0);
    if (c.code != 0) {
      EXPECT_TRUE(result.body.empty());
      EXPECT_EQ(observer.events.back(), "end 7 " + std::to_string(c.code));
      EXPECT_EQ(observer.events[observer.events.size() - 2], "failure 7 " + std::to_string(c.code));
    }
  }
}

TEST_F(FetchTest, AConnectionLostMidBodyIsAFailureNotAShortSuccess) {
  client.answer(200, 40000, {data(std::string(20000, 'x')), failure(internet_error::kConnectionReset)});
  const FetchResult result = fetch();
  EXPECT_EQ(result.code, internet_error::kConnectionReset);
  EXPECT_TRUE(result.reportError);
  EXPECT_TRUE(result.body.empty());
}

TEST_F(FetchTest, FailuresBeforeTheBody) {
  struct Case {
    const char* url;
    int openError;
    int code;
    bool reported;
    std::vector<std::string> events;
  };
  const std::vector<Case> cases = {
      {"   ", 0, internet_error::kInvalidParameter, false, {"begin 7"}},
      {"ftp:/host/x",
       0,
       internet_error::kUnrecognizedScheme,
       true,
       {"begin 7", "failure 7 12006", "end 7 12006"}},
      {"http://host/x",
       internet_error::kCannotConnect,
       internet_error::kCannotConnect,
       true,
       {"begin 7", "failure 7 12029", "end 7 12029"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    client.openError = c.openError;
    client.requests.clear();
    observer.events.clear();
    const FetchResult result = fetch(c.url);
    EXPECT_EQ(result.code, c.code);
    EXPECT_EQ(result.reportError, c.reported);
    EXPECT_EQ(observer.events, c.events);
    EXPECT_EQ(client.requests.size(), c.openError != 0 ? 1u : 0u);
  }
}

TEST_F(FetchTest, AHostileBodySizeFailsInsteadOfTakingAllMemory) {
  limits.maxBody = 1000;
  client.answer(200, -1, {data(std::string(600, 'a')), data(std::string(600, 'b'))});
  FetchResult result = fetch();
  EXPECT_EQ(result.code, internet_error::kNotEnoughMemory);
  EXPECT_TRUE(result.body.empty());

  // A Content-Length above the limit fails before a byte is read.
  client.answer(200, int64_t{1} << 40, {data("abc")});
  observer.events.clear();
  result = fetch();
  EXPECT_EQ(result.code, internet_error::kNotEnoughMemory);
  EXPECT_EQ(observer.events,
            (std::vector<std::string>{"begin 7", "headers 7 1099511627776", "failure 7 8", "end 7 8"}));

  // Exactly at the limit is fine.
  client.answer(200, -1, {data(std::string(1000, 'c'))});
  EXPECT_EQ(fetch().code, 0);
}

TEST_F(FetchTest, TheReservationUpFrontIsCapped) {
  limits.maxReservation = 4096;
  client.answer(200, 200'000'000, {data("abc")});
  const FetchResult result = fetch();
  EXPECT_EQ(result.code, 0);
  EXPECT_LE(result.body.capacity(), 4096u);
}

TEST_F(FetchTest, ACancelEndsTheFetch) {
  cancel = true;
  client.answer(200, 3, {data("abc")});
  const FetchResult result = fetch();
  EXPECT_EQ(result.code, internet_error::kCancelled);
  EXPECT_TRUE(result.body.empty());
}

}  // namespace
}  // namespace tamberlin
