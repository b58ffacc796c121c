#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "databases/http/test_certificate.h"
#include "databases/http/test_http_server.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace tamberlin {
namespace {

using test::cli;
using test::CliRun;
using test::TempDir;

// A database long enough not to be taken for an error page.
std::string userCsv(int records) {
  std::string csv = "Radio_ID,Callsign,Name,City,State,Country,Remarks\n";
  for (int id = 1000; id < 1000 + records; ++id)
    csv += std::to_string(id) + ",DL" + std::to_string(id) + ",Name,Berlin,BE,Germany,\n";
  return csv;
}

bool contains(const std::string& haystack, const std::string& needle) {
  return haystack.find(needle) != std::string::npos;
}

TEST(DatabaseDownloadCli, FetchesFromTheNamedServerAndSavesTheDatabase) {
  struct Case {
    bool http;
    test::TestReply reply;
    int code;
    const char* path;     // the request line's path
    const char* errText;  // on stderr
    bool saved;           // dmr_database.dat written
  };
  const Case cases[] = {
      {false, test::replyWith(200, "OK", userCsv(400)), 0, "GET /static/users.csv ",
       "Downloading .. https://", true},
      {true, test::replyWith(200, "OK", userCsv(400)), 0, "GET /status/users.csv ", "Downloading .. http://",
       true},
      {true, test::replyWith(404, "Not Found", std::string(300, 'x')), 1, "GET /status/users.csv ",
       "HTTP response code: 404", false},
      {true, test::replyWith(200, "OK", std::string(300, 'x')), 1, "GET /status/users.csv ",
       "Download failed. ", false},
  };
  const test::TestCertificate certificate = test::TestCertificate::create();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.errText);
    TempDir dir;
    test::TestHttpServer server(c.http ? nullptr : &certificate);
    ASSERT_EQ(server.listen(0), 0);
    server.setReply(c.reply);
    const std::string port = std::to_string(server.port());
    const std::string ini = "[Servers]\nUserDatabaseServer=127.0.0.1\nListServer=127.0.0.1\n";
    const std::string settings = dir.write("settings.ini", std::vector<uint8_t>(ini.begin(), ini.end()));
    const std::string ca = dir.write(
        "ca.pem", std::vector<uint8_t>(certificate.certificatePem.begin(), certificate.certificatePem.end()));
    std::vector<std::string> args = {"db-download",
                                     "--dir",
                                     dir.path().string(),
                                     "--settings",
                                     settings,
                                     "--connect-to",
                                     (c.http ? "127.0.0.1:80:127.0.0.1:" : "127.0.0.1:443:127.0.0.1:") + port,
                                     "--ca-file",
                                     ca,
                                     "--no-proxy",
                                     "*"};
    if (c.http) args.push_back("--http");
    const CliRun run = cli(args);
    EXPECT_EQ(run.code, c.code) << run.err;
    EXPECT_TRUE(contains(run.err, c.errText)) << run.err;
    ASSERT_EQ(server.requestHeads().size(), 1u);
    EXPECT_TRUE(server.requestHeads()[0].starts_with(c.path)) << server.requestHeads()[0];
    EXPECT_EQ(std::filesystem::exists(dir.path() / "dmr_database.dat"), c.saved);
    if (c.saved) {
      EXPECT_TRUE(contains(cli({"db-info", "--dir", dir.path().string()}).out, "records: 400\n"));
    }
  }
}

TEST(DatabaseDownloadCli, RefusesUnknownArguments) {
  EXPECT_EQ(cli({"db-download", "extra"}).code, 2);
  EXPECT_EQ(cli({"db-download", "--country", "Germany"}).code, 2);
  EXPECT_EQ(cli({"db-search", "x", "--http"}).code, 2);
}

}  // namespace
}  // namespace tamberlin
