#pragma once

#include <string>

// Error numbers of a download. They are the numbers the Windows network
// library uses for the same failures, so a report from a user of either
// program means the same thing.
namespace tamberlin::internet_error {

inline constexpr int kNotEnoughMemory = 8;
inline constexpr int kStalled = 30;  // "cannot read from the device": no data arrives any more
inline constexpr int kInvalidParameter = 87;
inline constexpr int kInsufficientBuffer = 122;
inline constexpr int kTimeout = 12002;
inline constexpr int kInternalError = 12004;
inline constexpr int kInvalidUrl = 12005;
inline constexpr int kUnrecognizedScheme = 12006;
inline constexpr int kNameNotResolved = 12007;
inline constexpr int kCancelled = 12017;
inline constexpr int kCannotConnect = 12029;
inline constexpr int kConnectionAborted = 12030;
inline constexpr int kConnectionReset = 12031;
inline constexpr int kCertificateDateInvalid = 12037;
inline constexpr int kCertificateNameInvalid = 12038;
inline constexpr int kInvalidCertificateAuthority = 12045;
inline constexpr int kInvalidServerResponse = 12152;
inline constexpr int kSecureChannelError = 12157;

}  // namespace tamberlin::internet_error

namespace tamberlin {

// "[%d] %s" with the number and its message, or "unknown error" for a number
// without one.
std::string internetErrorText(int code);

}  // namespace tamberlin
