#include "databases/downloader.h"

#include <gtest/gtest.h>

#include "databases/http/scripted_http.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace tamberlin {
namespace {

using namespace std::chrono_literals;
using test::data;
using test::silence;

std::string lines(size_t size) {
  std::string body;
  while (body.size() < size) body += "1234567,DL1ABC,Name,City,State,Country\n";
  body.resize(size);
  return body;
}

std::string text(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }
std::vector<uint8_t> bytesOf(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }
std::string crlf(const std::string& s) { return text(withCrLfLineEnds(bytesOf(s))); }

class DownloaderTest : public ::testing::Test {
 protected:
  DownloaderTest() {
    dir.write("database.csv", bytesOf(kPrevious));
    target = {dir.path(), "database.csv", {}};
  }

  int download(std::string_view url = "https://www.radioid.net/static/users.csv") {
    return downloader.download(client, clock, url, target, prompt, observer, body);
  }
  std::string saved(const std::string& name) const { return text(test::TempDir::read(dir.file(name))); }

  static constexpr const char* kPrevious = "previous download\r\n";
  test::TempDir dir;
  FakeClock clock;
  test::ScriptedHttpClient client{clock};
  test::RecordingFetchObserver observer;
  test::ScriptedPrompt prompt;
  Downloader downloader;
  Downloader::Target target;
  std::vector<uint8_t> body;
};

TEST_F(DownloaderTest, ShortOrEmptyUrlsAreRefusedQuietly) {
  struct Case {
    const char* url;
    int code;
  };
  for (const Case& c : {Case{"", -1}, Case{"   \t ", -1}, Case{" a.b/c ", -2}, Case{"1234567", -2}}) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(download(c.url), c.code);
    EXPECT_TRUE(downloader.countdown().buttonsEnabled());
  }
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_TRUE(client.requests.empty());
  EXPECT_EQ(downloader.requestNumber(), 0);
}

TEST_F(DownloaderTest, AUrlWithoutHttpSchemeGetsHttpInFront) {
  struct Case {
    const char* url;
    const char* normalised;
  };
  const std::vector<Case> cases = {
      {"www.radioid.net/static/users.csv", "http://www.radioid.net/static/users.csv"},
      {"  HTTPS://ham-digital.org/status/rptrs.csv ", "HTTPS://ham-digital.org/status/rptrs.csv"},
      {"Http://ham-digital.org/status/users.csv", "Http://ham-digital.org/status/users.csv"},
      {"12345678", "http://12345678"},
      {"ftp://host.example/x", "http://ftp://host.example/x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    Downloader::Job job;
    ASSERT_EQ(downloader.start(c.url, job), 0);
    EXPECT_EQ(job.url, c.normalised);
    EXPECT_EQ(downloader.currentUrl(), c.normalised);
    EXPECT_EQ(job.request, downloader.requestNumber());
  }
  EXPECT_EQ(downloader.requestNumber(), 5);
  EXPECT_EQ(downloader.startText(), "Downloading .. http://ftp://host.example/x ");
  EXPECT_EQ(downloader.progressText(20000), "Downloading 20000 .. http://ftp://host.example/x ");
}

TEST_F(DownloaderTest, AShortErrorPageIsKeptAndTheDownloadFails) {
  const std::string page = std::string(299, 'p') + "\n";
  client.answerBody(404, page);
  EXPECT_EQ(download(), -5);
  ASSERT_EQ(prompt.shown.size(), 2u);
  EXPECT_EQ(prompt.shown[0].title, "HTTP response code");
  EXPECT_EQ(prompt.shown[0].text, "HTTP response code: 404 ");
  EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Error);
  EXPECT_EQ(prompt.shown[1].title, "");
  EXPECT_EQ(prompt.shown[1].text, "Download failed. ");
  EXPECT_EQ(prompt.shown[1].icon, PromptIcon::Error);
  EXPECT_EQ(saved("http_response.txt"), crlf(page));
  EXPECT_EQ(saved("database.csv"), kPrevious);
  EXPECT_TRUE(body.empty());
  EXPECT_EQ(downloader.statusCode(), 404);
}

TEST_F(DownloaderTest, TenThousandBytesIsTheSmallestDownloadTaken) {
  client.answerBody(200, lines(9999));
  EXPECT_EQ(download(), -5);
  EXPECT_EQ(saved("database.csv"), kPrevious);

  prompt.shown.clear();
  const std::string full = lines(10000);
  client.answerBody(200, full);
  EXPECT_EQ(download(), 0);
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_EQ(text(body), full);  // the parser gets the body as it came
  EXPECT_EQ(saved("database.csv"), crlf(full));
  EXPECT_NE(crlf(full), full);
}

TEST_F(DownloaderTest, ARedirectIsShownAndItsBodyTakenLikeAnyOther) {
  const std::string page = lines(12000);
  client.answerBody(302, page);
  EXPECT_EQ(download(), 0);
  EXPECT_EQ(prompt.texts(), std::vector<std::string>{"HTTP response code: 302 "});
  EXPECT_EQ(text(body), page);
}

TEST_F(DownloaderTest, AStallFailsWithErrorThirtyAndKeepsThePreviousFile) {
  client.answer(200, 40000, {data(lines(20000)), silence(6s), data(lines(20000))});
  EXPECT_EQ(download(), -4);
  ASSERT_EQ(prompt.shown.size(), 2u);
  EXPECT_EQ(prompt.shown[0].title, "Internet error");
  EXPECT_EQ(prompt.shown[0].text, "[30] The system cannot read from the specified device.");
  EXPECT_EQ(prompt.shown[1].text, "Download failed. ");
  EXPECT_TRUE(body.empty());
  EXPECT_EQ(saved("database.csv"), kPrevious);
  EXPECT_EQ(observer.events.back(), "end 1 30");
}

TEST_F(DownloaderTest, ThePreviousFileStaysWhenTheNewOneCannotBeWritten) {
  client.answerBody(200, lines(20000));
  target.writeOptions.failAfterBytes = 5000;
  EXPECT_EQ(download(), -7);
  EXPECT_EQ(prompt.texts(), std::vector<std::string>{"Could not save the downloaed data to database.csv "});
  EXPECT_EQ(saved("database.csv"), kPrevious);
  EXPECT_TRUE(body.empty());

  prompt.shown.clear();
  client.answerBody(200, lines(20000));
  target = {dir.path() / "missing", "database.csv", {}};
  EXPECT_EQ(download(), -6);
  EXPECT_EQ(prompt.texts(),
            std::vector<std::string>{"Could not create a file for the downloaded data .. database.csv "});
  EXPECT_TRUE(body.empty());
}

TEST(DownloadCountdown, ButtonsComeBackSixTicksAfterEveryAttempt) {
  Downloader downloader;
  DownloadCountdown& countdown = downloader.countdown();
  auto ticksUntilEnabled = [&] {
    for (int tick = 1; tick <= 20; ++tick) {
      if (countdown.tick()) return countdown.buttonsEnabled() ? tick : -tick;
    }
    return 0;
  };
  EXPECT_FALSE(countdown.buttonsEnabled());  // from the window's creation
  EXPECT_EQ(ticksUntilEnabled(), 6);

  Downloader::Job job;
  ASSERT_EQ(downloader.start("http://host.example/x", job), 0);
  EXPECT_FALSE(countdown.buttonsEnabled());
  for (int tick = 0; tick < 20; ++tick) EXPECT_FALSE(countdown.tick());  // held while the fetch runs
  EXPECT_FALSE(countdown.buttonsEnabled());

  FetchResult failed;
  failed.code = 30;
  test::ScriptedPrompt prompt;
  EXPECT_EQ(downloader.finish(failed, {}, prompt), -4);
  EXPECT_FALSE(countdown.buttonsEnabled());
  EXPECT_EQ(ticksUntilEnabled(), 6);
  EXPECT_FALSE(countdown.tick());  // stays enabled, no second signal
  EXPECT_TRUE(countdown.buttonsEnabled());

  EXPECT_EQ(downloader.start("", job), -1);
  EXPECT_TRUE(countdown.buttonsEnabled());
}

}  // namespace
}  // namespace tamberlin
