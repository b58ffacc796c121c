#include "databases/downloader.h"

#include "databases/internet_error.h"
#include "support/ascii_text.h"

namespace tamberlin {

int Downloader::start(std::string_view url, Job& job) {
  countdown_.restart();
  const std::string trimmed = trimmedBlanks(url);
  if (trimmed.empty() || trimmed.size() < 8) {
    countdown_.enableNow();
    return trimmed.empty() ? -1 : -2;
  }
  const std::string lower = asciiLowerCased(trimmed);
  const bool hasScheme = lower.starts_with("http://") || lower.starts_with("https://");
  currentUrl_ = hasScheme ? trimmed : "http://" + trimmed;
  totalSize_ = -1;
  countdown_.setBusy(true);
  job.request = ++requestNumber_;
  job.url = currentUrl_;
  return 0;
}

int Downloader::finish(FetchResult& result, const Target& target, Prompt& prompt) {
  countdown_.setBusy(false);
  statusCode_ = result.statusCode;
  contentLength_ = result.contentLength;
  if (result.statusCode >= 300) {
    prompt.showTitled("HTTP response code", PromptIcon::Error,
                      "HTTP response code: " + std::to_string(result.statusCode) + " ");
  }
  if (result.code != 0) {
    if (result.reportError)
      prompt.showTitled("Internet error", PromptIcon::Error, internetErrorText(result.code));
    result.body = {};
    countdown_.restart();
    prompt.error(kDownloadFailed);
    return -4;
  }
  if (result.body.size() < kMinimumDownloadSize) {
    // Kept for the user to read what the server said; failing to keep it changes nothing.
    writeFileAtomically(target.directory / kHttpResponseFile, withCrLfLineEnds(result.body));
    result.body = {};
    prompt.error(kDownloadFailed);
    return -5;
  }
  switch (writeFileAtomically(target.directory / target.fileName, withCrLfLineEnds(result.body),
                              target.writeOptions)) {
    case WriteStatus::Ok: break;
    case WriteStatus::CannotCreate:
      result.body = {};
      prompt.error("Could not create a file for the downloaded data .. " + target.fileName + " ");
      return -6;
    case WriteStatus::ShortWrite:
      result.body = {};
      prompt.error("Could not save the downloaed data to " + target.fileName + " ");
      return -7;
  }
  countdown_.restart();
  return 0;
}

int Downloader::download(HttpClient& client, Clock& clock, std::string_view url, const Target& target,
                         Prompt& prompt, FetchObserver& observer, std::vector<uint8_t>& body,
                         const FetchLimits& limits) {
  body.clear();
  Job job;
  if (const int code = start(url, job); code != 0) return code;
  FetchResult result = fetchUrl(client, clock, job.request, job.url, observer, nullptr, limits);
  const int code = finish(result, target, prompt);
  if (code == 0) body = std::move(result.body);
  return code;
}

std::string Downloader::startText() const { return "Downloading .. " + currentUrl_ + " "; }

std::string Downloader::progressText(int64_t received) const {
  return "Downloading " + std::to_string(received) + " .. " + currentUrl_ + " ";
}

std::vector<uint8_t> withCrLfLineEnds(const std::vector<uint8_t>& bytes) {
  std::vector<uint8_t> out;
  out.reserve(bytes.size() + bytes.size() / 32);
  for (uint8_t byte : bytes) {
    if (byte == '\n') out.push_back('\r');
    out.push_back(byte);
  }
  return out;
}

}  // namespace tamberlin
