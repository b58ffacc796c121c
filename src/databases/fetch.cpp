#include "databases/fetch.h"

#include <algorithm>
#include <memory>
#include <new>

#include "databases/http_url.h"
#include "databases/internet_error.h"
#include "support/ascii_text.h"
#include "support/high_resolution_tick.h"

namespace tamberlin {

namespace {

constexpr size_t kScratchStart = 32768;
constexpr size_t kScratchMax = size_t{1} << 20;

class Fetch {
 public:
  Fetch(HttpClient& client, Clock& clock, int request, FetchObserver& observer,
        const std::atomic<bool>* cancel, const FetchLimits& limits)
      : client_(client),
        clock_(clock),
        request_(request),
        observer_(observer),
        cancel_(cancel),
        limits_(limits) {}

  FetchResult run(std::string_view url) {
    observer_.fetchBegin(request_);
    try {
      scratch_.resize(kScratchStart);
    } catch (const std::bad_alloc&) {
      result_.code = internet_error::kNotEnoughMemory;
      return std::move(result_);
    }
    const std::string trimmed = trimmedBlanks(url);
    if (trimmed.empty()) {
      result_.code = internet_error::kInvalidParameter;
      return std::move(result_);
    }
    if (const int code = transfer(trimmed); code != 0) return fail(code);
    observer_.fetchEnd(request_, 0);
    return std::move(result_);
  }

 private:
  int transfer(const std::string& url) {
    HttpRequest request;
    if (const int code = crackUrl(url, request.target); code != 0) return code;
    request.userAgent = kDownloadUserAgent;
    request.headerLines = {"Accept: text/*", "Content-Type: text/*"};
    request.headersTimeout = limits_.headersTimeout;
    std::unique_ptr<HttpResponse> response;
    if (const int code = client_.open(request, cancel_, response); code != 0) return code;

    result_.statusCode = response->statusCode();
    result_.contentLength = response->contentLength();
    observer_.fetchHeaders(request_, result_.contentLength);
    if (result_.contentLength > 0 && static_cast<uint64_t>(result_.contentLength) > limits_.maxBody) {
      return internet_error::kNotEnoughMemory;
    }
    try {
      const uint64_t wanted = result_.contentLength > 0
                                  ? static_cast<uint64_t>(result_.contentLength) + 1000000
                                  : uint64_t{20000000};
      result_.body.reserve(static_cast<size_t>(std::min<uint64_t>(wanted, limits_.maxReservation)));
      return readBody(*response);
    } catch (const std::bad_alloc&) {
      return internet_error::kNotEnoughMemory;
    }
  }

  int readBody(HttpResponse& response) {
    CHighResolutionTick sinceData(clock_);
    sinceData.restart();
    int emptyReads = 0;
    for (;;) {
      if (cancel_ != nullptr && cancel_->load()) return internet_error::kCancelled;
      const BodyAvailability available = response.waitForBody(limits_.pollSlice);
      if (available.error != 0) return available.error;
      if (available.ended) return 0;
      clock_.sleepFor(std::chrono::milliseconds(1));
      const double stallSeconds = std::chrono::duration<double>(limits_.stall).count();
      if (emptyReads >= limits_.emptyReads || sinceData.elapsedSeconds() >= stallSeconds) {
        return internet_error::kStalled;
      }
      if (available.bytes == 0) continue;

      const size_t wanted = std::min(available.bytes, kScratchMax);
      if (scratch_.size() < wanted) scratch_.resize(wanted);
      const BodyRead read = response.read(std::span<uint8_t>(scratch_.data(), wanted));
      if (read.error != 0) return read.error;
      if (read.bytes == 0) {
        ++emptyReads;
        continue;
      }
      if (read.bytes > limits_.maxBody - result_.body.size()) return internet_error::kNotEnoughMemory;
      sinceData.restart();
      emptyReads = 0;
      result_.body.insert(result_.body.end(), scratch_.begin(),
                          scratch_.begin() + static_cast<ptrdiff_t>(read.bytes));
      observer_.fetchProgress(request_, static_cast<int64_t>(result_.body.size()));
    }
  }

  FetchResult fail(int code) {
    observer_.fetchFailure(request_, code);
    observer_.fetchEnd(request_, code);
    result_.code = code;
    result_.reportError = true;
    result_.body = {};
    return std::move(result_);
  }

  HttpClient& client_;
  Clock& clock_;
  int request_;
  FetchObserver& observer_;
  const std::atomic<bool>* cancel_;
  const FetchLimits& limits_;
  std::vector<uint8_t> scratch_;
  FetchResult result_;
};

}  // namespace

FetchResult fetchUrl(HttpClient& client, Clock& clock, int request, std::string_view url,
                     FetchObserver& observer, const std::atomic<bool>* cancel, const FetchLimits& limits) {
  return Fetch(client, clock, request, observer, cancel, limits).run(url);
}

}  // namespace tamberlin
