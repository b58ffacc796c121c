#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "databases/http_client.h"
#include "support/clock.h"

namespace tamberlin {

inline constexpr const char* kDownloadUserAgent =
    "Mozilla/5.0 (Windows NT 6.1; WOW64; Trident/7.0; AS; rv:11.0) like Gecko";

// What the owner of a fetch hears while it runs, with the request number
// first. The calls come on the thread that runs the fetch; an owner with a
// window passes them on to its own thread.
class FetchObserver {
 public:
  virtual ~FetchObserver() = default;
  virtual void fetchBegin(int request) { (void)request; }
  virtual void fetchProgress(int request, int64_t received) { (void)request, (void)received; }
  virtual void fetchHeaders(int request, int64_t contentLength) { (void)request, (void)contentLength; }
  virtual void fetchFailure(int request, int code) { (void)request, (void)code; }
  virtual void fetchEnd(int request, int code) { (void)request, (void)code; }
};

struct FetchLimits {
  // No data for this long, or this many reads in a row that bring nothing,
  // and the server is taken to have stalled.
  Clock::Duration stall = std::chrono::seconds(5);
  int emptyReads = 10;
  // How long one wait for data may block, so a cancel is seen soon.
  std::chrono::milliseconds pollSlice{100};
  std::chrono::milliseconds headersTimeout{30000};
  // The server decides the size of the body; these keep a hostile one from
  // taking all the memory.
  size_t maxBody = size_t{256} << 20;
  size_t maxReservation = size_t{64} << 20;
};

struct FetchResult {
  int code = 0;              // 0, or the error number
  bool reportError = false;  // the failure is one to tell the user about
  int statusCode = -1;
  int64_t contentLength = -1;
  std::vector<uint8_t> body;  // empty after a failure
};

// One GET of `url` into memory, with the stall rule timed on `clock`. Shows
// nothing itself: the caller shows the status and error boxes from the
// result, so this may run on a worker thread.
FetchResult fetchUrl(HttpClient& client, Clock& clock, int request, std::string_view url,
                     FetchObserver& observer, const std::atomic<bool>* cancel = nullptr,
                     const FetchLimits& limits = {});

}  // namespace tamberlin
