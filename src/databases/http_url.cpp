#include "databases/http_url.h"

#include <cctype>
#include <string>

#include "databases/internet_error.h"
#include "support/ascii_text.h"

namespace tamberlin {

namespace {

constexpr size_t kSchemeBuffer = 32;
constexpr size_t kHostBuffer = 256;
constexpr size_t kUserBuffer = 128;
constexpr size_t kPasswordBuffer = 128;
constexpr size_t kPathBuffer = 2048;
constexpr size_t kExtraBuffer = 1024;

bool isAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool validScheme(std::string_view scheme) {
  if (scheme.empty() || !isAsciiAlpha(scheme.front())) return false;
  for (char c : scheme) {
    if (!isAsciiAlpha(c) && !isAsciiDigit(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

bool validHost(std::string_view host) {
  if (host.empty()) return false;
  if (host.front() == '[') {
    if (host.size() < 3 || host.back() != ']') return false;
    for (char c : host.substr(1, host.size() - 2)) {
      if (!std::isxdigit(static_cast<unsigned char>(c)) && c != ':' && c != '.') return false;
    }
    return true;
  }
  for (char c : host) {
    if (!isAsciiAlpha(c) && !isAsciiDigit(c) && c != '-' && c != '.' && c != '_' && c != '~') return false;
  }
  return true;
}

bool validPort(std::string_view port) {
  if (port.size() > 5) return false;
  int value = 0;
  for (char c : port) {
    if (!isAsciiDigit(c)) return false;
    value = value * 10 + (c - '0');
  }
  return value <= 65535;
}

bool mayStandInRequestLine(unsigned char c) {
  if (c <= 0x20 || c >= 0x7F) return false;
  return std::string_view("\"<>\\^`{|}").find(static_cast<char>(c)) == std::string_view::npos;
}

void appendEscaped(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (mayStandInRequestLine(byte)) {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    }
  }
}

}  // namespace

int crackUrl(std::string_view url, HttpTarget& target) {
  using namespace internet_error;
  const size_t schemeEnd = url.find("://");
  if (schemeEnd == std::string_view::npos || !validScheme(url.substr(0, schemeEnd)))
    return kUnrecognizedScheme;
  const std::string_view scheme = url.substr(0, schemeEnd);
  if (scheme.size() >= kSchemeBuffer) return kInsufficientBuffer;

  std::string_view rest = url.substr(schemeEnd + 3);
  const size_t authorityEnd = rest.find_first_of("/?#");
  std::string_view authority = rest.substr(0, authorityEnd);
  rest = authorityEnd == std::string_view::npos ? std::string_view() : rest.substr(authorityEnd);

  if (const size_t at = authority.rfind('@'); at != std::string_view::npos) {
    const std::string_view userInfo = authority.substr(0, at);
    const size_t colon = userInfo.find(':');
    const std::string_view user = userInfo.substr(0, colon);
    const std::string_view password = colon == std::string_view::npos ? "" : userInfo.substr(colon + 1);
    if (user.size() >= kUserBuffer || password.size() >= kPasswordBuffer) return kInsufficientBuffer;
    authority = authority.substr(at + 1);
  }

  if (authority.empty()) return kInvalidUrl;
  size_t portColon = authority.find(':');
  if (authority.front() == '[') {
    const size_t bracketEnd = authority.find(']');
    if (bracketEnd == std::string_view::npos) return kInvalidUrl;
    portColon = authority.find(':', bracketEnd);
  }
  std::string_view host = authority.substr(0, portColon);
  if (portColon != std::string_view::npos && !validPort(authority.substr(portColon + 1))) return kInvalidUrl;
  if (host.size() >= kHostBuffer) return kInsufficientBuffer;
  if (!validHost(host)) return kInvalidUrl;

  const size_t extraStart = rest.find_first_of("?#");
  std::string_view path = rest.substr(0, extraStart);
  const std::string_view extra = extraStart == std::string_view::npos ? "" : rest.substr(extraStart);
  if (path.size() >= kPathBuffer || extra.size() >= kExtraBuffer) return kInsufficientBuffer;
  const std::string_view query = extra.substr(0, extra.find('#'));

  target.secure = asciiLowerCased(scheme).find("https") != std::string::npos;
  target.port = target.secure ? 443 : 80;
  target.host = std::string(host);
  target.requestTarget.clear();
  appendEscaped(target.requestTarget, path.empty() ? "/" : path);
  appendEscaped(target.requestTarget, query);
  return 0;
}

}  // namespace tamberlin
