#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "databases/download_countdown.h"
#include "databases/fetch.h"
#include "support/atomic_file.h"
#include "support/prompt.h"

namespace tamberlin {

inline constexpr const char* kDownloadFailed = "Download failed. ";
inline constexpr const char* kHttpResponseFile = "http_response.txt";
// A body shorter than this is taken for a server's error page.
inline constexpr size_t kMinimumDownloadSize = 10000;

// The download state of one window and the steps around a fetch. A window
// drives it in three calls so the fetch itself can run on a worker thread:
//   start()    on the window's thread: normalises the URL, disables the buttons;
//   fetchUrl() anywhere, with the job start() gave and the window's observer;
//   finish()   on the window's thread: shows the boxes, saves the body.
// download() does all three in a row for callers without a window.
class Downloader {
 public:
  struct Job {
    int request = 0;
    std::string url;
  };
  struct Target {
    std::filesystem::path directory;  // the program saves into the current directory
    std::string fileName;
    AtomicWriteOptions writeOptions;
  };

  // 0 with the job to fetch, -1 for an empty URL, -2 for one shorter than 8
  // characters (the buttons are enabled again at once).
  int start(std::string_view url, Job& job);
  // The rest of the download after the fetch: 0 when the body is saved and
  // `result.body` is ready for the parser, else a negative code with the body
  // emptied so no partial data reaches a parser.
  int finish(FetchResult& result, const Target& target, Prompt& prompt);

  int download(HttpClient& client, Clock& clock, std::string_view url, const Target& target, Prompt& prompt,
               FetchObserver& observer, std::vector<uint8_t>& body, const FetchLimits& limits = {});

  // "Downloading .. " + URL + " ", shown when a download starts.
  std::string startText() const;
  // "Downloading %d .. %s ", shown on every progress notification.
  std::string progressText(int64_t received) const;

  const std::string& currentUrl() const { return currentUrl_; }
  int requestNumber() const { return requestNumber_; }
  int statusCode() const { return statusCode_; }
  int64_t contentLength() const { return contentLength_; }
  int64_t totalSize() const { return totalSize_; }
  DownloadCountdown& countdown() { return countdown_; }
  const DownloadCountdown& countdown() const { return countdown_; }

 private:
  int requestNumber_ = 0;
  std::string currentUrl_;
  int64_t totalSize_ = -1;
  int statusCode_ = -1;
  int64_t contentLength_ = -1;
  DownloadCountdown countdown_;
};

// The bytes as a file opened in text mode writes them: every line feed
// becomes carriage return + line feed.
std::vector<uint8_t> withCrLfLineEnds(const std::vector<uint8_t>& bytes);

}  // namespace tamberlin
