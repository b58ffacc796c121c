#include "databases/curl_http_client.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <mutex>

#include "databases/internet_error.h"

namespace tamberlin {

namespace {

using SteadyTime = std::chrono::steady_clock;

// Above this many bytes waiting to be read the transfer pauses, so a fast
// server cannot fill the memory faster than the reader takes it.
constexpr size_t kPendingLimit = size_t{1} << 20;

// OpenSSL's verification results (X509_V_ERR_*), as libcurl's OpenSSL build reports them.
constexpr long kCertificateNotYetValid = 9;
constexpr long kCertificateExpired = 10;
constexpr long kHostNameMismatch = 62;
constexpr long kIpAddressMismatch = 64;

int certificateError(CURL* easy) {
  long verifyResult = 0;
  curl_easy_getinfo(easy, CURLINFO_SSL_VERIFYRESULT, &verifyResult);
  switch (verifyResult) {
    case kHostNameMismatch:
    case kIpAddressMismatch: return internet_error::kCertificateNameInvalid;
    case kCertificateExpired:
    case kCertificateNotYetValid: return internet_error::kCertificateDateInvalid;
    default: return internet_error::kInvalidCertificateAuthority;
  }
}

int errorNumber(CURLcode code, CURL* easy) {
  using namespace internet_error;
  switch (code) {
    case CURLE_OK: return 0;
    case CURLE_UNSUPPORTED_PROTOCOL: return kUnrecognizedScheme;
    case CURLE_URL_MALFORMAT: return kInvalidUrl;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY: return kNameNotResolved;
    case CURLE_COULDNT_CONNECT: return kCannotConnect;
    case CURLE_OPERATION_TIMEDOUT: return kTimeout;
    case CURLE_OUT_OF_MEMORY: return kNotEnoughMemory;
    case CURLE_PEER_FAILED_VERIFICATION: return certificateError(easy);
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_USE_SSL_FAILED:
    case CURLE_SSL_SHUTDOWN_FAILED: return kSecureChannelError;
    case CURLE_SEND_ERROR:
    case CURLE_PARTIAL_FILE: return kConnectionAborted;
    case CURLE_RECV_ERROR: return kConnectionReset;
    case CURLE_GOT_NOTHING:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_HTTP2:
    case CURLE_HTTP2_STREAM: return kInvalidServerResponse;
    case CURLE_ABORTED_BY_CALLBACK: return kCancelled;
    default: return kInternalError;
  }
}

class CurlResponse final : public HttpResponse {
 public:
  CurlResponse() : multi_(curl_multi_init()), easy_(curl_easy_init()) {}
  ~CurlResponse() override {
    if (added_) curl_multi_remove_handle(multi_, easy_);
    curl_easy_cleanup(easy_);
    curl_multi_cleanup(multi_);
    curl_slist_free_all(headers_);
    curl_slist_free_all(connectTo_);
  }
  CurlResponse(const CurlResponse&) = delete;
  CurlResponse& operator=(const CurlResponse&) = delete;

  int configure(const HttpRequest& request, const CurlHttpClientOptions& options) {
    if (multi_ == nullptr || easy_ == nullptr) return internet_error::kNotEnoughMemory;
    const HttpTarget& target = request.target;
    const std::string url = std::string(target.secure ? "https://" : "http://") + target.host + ":" +
                            std::to_string(target.port) + target.requestTarget;
    for (const std::string& line : request.headerLines) headers_ = curl_slist_append(headers_, line.c_str());
    headers_ = curl_slist_append(headers_, "Pragma: no-cache");
    headers_ = curl_slist_append(headers_, "Cache-Control: no-cache");
    for (const std::string& entry : options.connectTo)
      connectTo_ = curl_slist_append(connectTo_, entry.c_str());

    bool ok = curl_easy_setopt(easy_, CURLOPT_URL, url.c_str()) == CURLE_OK;
    ok &= curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK;
    ok &= curl_easy_setopt(easy_, CURLOPT_PATH_AS_IS, 1L) == CURLE_OK;
    ok &= curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 0L) == CURLE_OK;
    ok &= curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L) == CURLE_OK;
    ok &= curl_easy_setopt(easy_, CURLOPT_USERAGENT, request.userAgent.c_str()) == CURLE_OK;
    ok &= curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, headers_) == CURLE_OK;
    ok &= curl_easy_setopt(easy_, CURLOPT_SSL_VERIFYPEER, 1L) == CURLE_OK;
    ok &= curl_easy_setopt(easy_, CURLOPT_SSL_VERIFYHOST, 2L) == CURLE_OK;
    ok &= curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT_MS,
                           static_cast<long>(request.headersTimeout.count())) == CURLE_OK;
    ok &= curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &CurlResponse::onHeader) == CURLE_OK;
    ok &= curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this) == CURLE_OK;
    ok &= curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &CurlResponse::onBody) == CURLE_OK;
    ok &= curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this) == CURLE_OK;
    if (!options.caFile.empty())
      ok &= curl_easy_setopt(easy_, CURLOPT_CAINFO, options.caFile.c_str()) == CURLE_OK;
    if (connectTo_ != nullptr) ok &= curl_easy_setopt(easy_, CURLOPT_CONNECT_TO, connectTo_) == CURLE_OK;
    if (!options.noProxy.empty())
      ok &= curl_easy_setopt(easy_, CURLOPT_NOPROXY, options.noProxy.c_str()) == CURLE_OK;
    if (!ok) return internet_error::kInternalError;
    if (curl_multi_add_handle(multi_, easy_) != CURLM_OK) return internet_error::kInternalError;
    added_ = true;
    return 0;
  }

  int waitForHeaders(std::chrono::milliseconds timeout, const std::atomic<bool>* cancel) {
    const SteadyTime::time_point deadline = SteadyTime::now() + timeout;
    while (!headersDone_) {
      if (done_)
        return doneCode_ != CURLE_OK ? errorNumber(doneCode_, easy_) : internet_error::kInvalidServerResponse;
      if (cancel != nullptr && cancel->load()) return internet_error::kCancelled;
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyTime::now());
      if (left.count() <= 0) return internet_error::kTimeout;
      if (const int code = pump(std::min(left, std::chrono::milliseconds(100)), true); code != 0) return code;
    }
    long status = 0;
    curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &status);
    statusCode_ = status > 0 ? static_cast<int>(status) : -1;
    curl_off_t length = -1;
    curl_easy_getinfo(easy_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    contentLength_ = length >= 0 ? static_cast<int64_t>(length) : -1;
    return 0;
  }

  int statusCode() const override { return statusCode_; }
  int64_t contentLength() const override { return contentLength_; }

  BodyAvailability waitForBody(std::chrono::milliseconds maxWait) override {
    if (pendingBytes() == 0 && !done_) {
      if (paused_) {
        paused_ = false;
        curl_easy_pause(easy_, CURLPAUSE_CONT);
      }
      if (pendingBytes() == 0) {
        if (const int code = pump(maxWait, false); code != 0) return {code, 0, false};
      }
    }
    if (pendingBytes() > 0) return {0, pendingBytes(), false};
    if (done_) return {errorNumber(doneCode_, easy_), 0, doneCode_ == CURLE_OK};
    return {};
  }

  BodyRead read(std::span<uint8_t> into) override {
    const size_t count = std::min(into.size(), pendingBytes());
    std::memcpy(into.data(), pending_.data() + pendingStart_, count);
    pendingStart_ += count;
    if (pendingStart_ == pending_.size()) {
      pending_.clear();
      pendingStart_ = 0;
    }
    return {0, count};
  }

 private:
  size_t pendingBytes() const { return pending_.size() - pendingStart_; }

  // Lets the transfer run; waits at most `maxWait` unless what the caller
  // waits for (the headers, or body bytes) is there already.
  int pump(std::chrono::milliseconds maxWait, bool forHeaders) {
    int running = 0;
    if (curl_multi_perform(multi_, &running) != CURLM_OK) return internet_error::kInternalError;
    const bool ready = forHeaders ? headersDone_ : pendingBytes() > 0;
    if (running > 0 && !ready) {
      if (curl_multi_poll(multi_, nullptr, 0, static_cast<int>(maxWait.count()), nullptr) != CURLM_OK) {
        return internet_error::kInternalError;
      }
      if (curl_multi_perform(multi_, &running) != CURLM_OK) return internet_error::kInternalError;
    }
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &queued)) {
      if (message->msg == CURLMSG_DONE && message->easy_handle == easy_) {
        done_ = true;
        doneCode_ = message->data.result;
      }
    }
    return 0;
  }

  static size_t onHeader(char* data, size_t size, size_t count, void* self) {
    auto* response = static_cast<CurlResponse*>(self);
    const size_t bytes = size * count;
    const std::string_view line(data, bytes);
    if (line == "\r\n" || line == "\n") {
      long status = 0;
      curl_easy_getinfo(response->easy_, CURLINFO_RESPONSE_CODE, &status);
      if (status >= 200 || status == 0)
        response->headersDone_ = true;  // a 1xx answer is followed by the real one
    }
    return bytes;
  }

  static size_t onBody(char* data, size_t size, size_t count, void* self) {
    auto* response = static_cast<CurlResponse*>(self);
    const size_t bytes = size * count;
    if (response->pendingBytes() > 0 && response->pendingBytes() + bytes > kPendingLimit) {
      response->paused_ = true;
      return CURL_WRITEFUNC_PAUSE;
    }
    response->headersDone_ = true;
    response->pending_.insert(response->pending_.end(), data, data + bytes);
    return bytes;
  }

  CURLM* multi_;
  CURL* easy_;
  curl_slist* headers_ = nullptr;
  curl_slist* connectTo_ = nullptr;
  bool added_ = false;
  bool headersDone_ = false;
  bool paused_ = false;
  bool done_ = false;
  CURLcode doneCode_ = CURLE_OK;
  int statusCode_ = -1;
  int64_t contentLength_ = -1;
  std::vector<uint8_t> pending_;
  size_t pendingStart_ = 0;
};

}  // namespace

CurlHttpClient::CurlHttpClient(CurlHttpClientOptions options) : options_(std::move(options)) {
  static std::once_flag initialised;
  std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

int CurlHttpClient::open(const HttpRequest& request, const std::atomic<bool>* cancel,
                         std::unique_ptr<HttpResponse>& response) {
  auto curl = std::make_unique<CurlResponse>();
  if (const int code = curl->configure(request, options_); code != 0) return code;
  if (const int code = curl->waitForHeaders(request.headersTimeout, cancel); code != 0) return code;
  response = std::move(curl);
  return 0;
}

}  // namespace tamberlin
