#pragma once

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "databases/fetch.h"
#include "databases/http_client.h"
#include "support/clock.h"

namespace tamberlin::test {

// One answer of a scripted response to a wait for body bytes.
struct BodyStep {
  enum Kind { Data, EmptyRead, Silence, Error } kind;
  std::string bytes;          // Data
  Clock::Duration silence{};  // Silence: how long the wait lasted
  int error = 0;              // Error
};

inline BodyStep data(std::string bytes) { return {BodyStep::Data, std::move(bytes), {}, 0}; }
inline BodyStep emptyRead() { return {BodyStep::EmptyRead, {}, {}, 0}; }
inline BodyStep silence(Clock::Duration duration) { return {BodyStep::Silence, {}, duration, 0}; }
inline BodyStep failure(int code) { return {BodyStep::Error, {}, {}, code}; }

// A response that plays its steps in order and then ends; silences move the
// fake clock the way a real wait would.
class ScriptedResponse final : public HttpResponse {
 public:
  ScriptedResponse(FakeClock& clock, int status, int64_t length, std::deque<BodyStep> steps)
      : clock_(clock), status_(status), length_(length), steps_(std::move(steps)) {}

  int statusCode() const override { return status_; }
  int64_t contentLength() const override { return length_; }

  BodyAvailability waitForBody(std::chrono::milliseconds) override {
    if (!current_.empty()) return {0, current_.size(), false};
    if (steps_.empty()) return {0, 0, true};
    BodyStep step = std::move(steps_.front());
    steps_.pop_front();
    switch (step.kind) {
      case BodyStep::Data: current_ = std::move(step.bytes); return {0, current_.size(), false};
      case BodyStep::EmptyRead: emptyRead_ = true; return {0, 1, false};
      case BodyStep::Silence: clock_.advance(step.silence); return {};
      case BodyStep::Error: return {step.error, 0, false};
    }
    return {};
  }

  BodyRead read(std::span<uint8_t> into) override {
    if (emptyRead_) {
      emptyRead_ = false;
      return {};
    }
    const size_t count = std::min(into.size(), current_.size());
    std::memcpy(into.data(), current_.data(), count);
    current_.erase(0, count);
    return {0, count};
  }

 private:
  FakeClock& clock_;
  int status_;
  int64_t length_;
  std::deque<BodyStep> steps_;
  std::string current_;
  bool emptyRead_ = false;
};

// Answers every open with the next scripted response (or fails with
// `openError`) and keeps the requests it was given.
class ScriptedHttpClient final : public HttpClient {
 public:
  explicit ScriptedHttpClient(FakeClock& clock) : clock_(clock) {}

  void answer(int status, int64_t length, std::deque<BodyStep> steps) {
    answers_.push_back({status, length, std::move(steps)});
  }
  // A well-formed answer with the whole body in one piece.
  void answerBody(int status, const std::string& body) {
    answer(status, static_cast<int64_t>(body.size()), {data(body)});
  }

  int open(const HttpRequest& request, const std::atomic<bool>*,
           std::unique_ptr<HttpResponse>& response) override {
    requests.push_back(request);
    if (openError != 0) return openError;
    if (answers_.empty()) return 12029;
    Answer next = std::move(answers_.front());
    answers_.pop_front();
    response = std::make_unique<ScriptedResponse>(clock_, next.status, next.length, std::move(next.steps));
    return 0;
  }

  std::vector<HttpRequest> requests;
  int openError = 0;

 private:
  struct Answer {
    int status;
    int64_t length;
    std::deque<BodyStep> steps;
  };
  FakeClock& clock_;
  std::deque<Answer> answers_;
};

// Keeps every notification as text, in order: "begin 1", "headers 1 300",
// "progress 1 300", "failure 1 30", "end 1 30".
class RecordingFetchObserver final : public FetchObserver {
 public:
  void fetchBegin(int request) override { add("begin", request); }
  void fetchProgress(int request, int64_t received) override { add("progress", request, received); }
  void fetchHeaders(int request, int64_t length) override { add("headers", request, length); }
  void fetchFailure(int request, int code) override { add("failure", request, code); }
  void fetchEnd(int request, int code) override { add("end", request, code); }

  std::vector<std::string> events;

 private:
  void add(const char* name, int request) {
    events.push_back(std::string(name) + " " + std::to_string(request));
  }
  void add(const char* name, int request, int64_t value) {
    events.push_back(std::string(name) + " " + std::to_string(request) + " " + std::to_string(value));
  }
};

}  // namespace tamberlin::test
