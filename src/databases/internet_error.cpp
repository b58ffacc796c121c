#include "databases/internet_error.h"

#include <array>
#include <utility>

namespace tamberlin {

namespace {

using namespace internet_error;

constexpr std::array<std::pair<int, const char*>, 18> kMessages{{
    {kNotEnoughMemory, "Not enough memory resources are available to process this command."},
    {kStalled, "The system cannot read from the specified device."},
    {kInvalidParameter, "The parameter is incorrect."},
    {kInsufficientBuffer, "The data area passed to a system call is too small."},
    {kTimeout, "The operation timed out"},
    {kInternalError, "An internal error occurred in the network library"},
    {kInvalidUrl, "The URL is invalid"},
    {kUnrecognizedScheme, "The URL does not use a recognized protocol"},
    {kNameNotResolved, "The server name or address could not be resolved"},
    {kCancelled, "The operation was canceled"},
    {kCannotConnect, "A connection with the server could not be established"},
    {kConnectionAborted, "The connection with the server was terminated abnormally"},
    {kConnectionReset, "The connection with the server was reset"},
    {kCertificateDateInvalid, "The date in the certificate is invalid or has expired"},
    {kCertificateNameInvalid, "The host name in the certificate is invalid or does not match"},
    {kInvalidCertificateAuthority, "The certificate authority is invalid or incorrect"},
    {kInvalidServerResponse, "The server returned an invalid or unrecognized response"},
    {kSecureChannelError, "An error occurred in the secure channel support"},
}};

}  // namespace

std::string internetErrorText(int code) {
  for (const auto& [number, message] : kMessages) {
    if (number == code) return "[" + std::to_string(code) + "] " + message;
  }
  return "unknown error";
}

}  // namespace tamberlin
