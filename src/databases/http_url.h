#pragma once

#include <string_view>

#include "databases/http_client.h"

namespace tamberlin {

// Splits "scheme://[user[:password]@]host[:port][/path][?query][#fragment]"
// into where the request goes. The connection is secure when the lower-cased
// scheme contains "https"; the port is 443 or 80 by that alone, whatever the
// URL says. Credentials and fragment are not sent. Bytes that may not stand in
// a request line are escaped as %XX. Returns 0, or the error number: a field
// longer than its buffer (scheme 32, host 256, user name and password 128,
// path 2048, query and fragment 1024, each with its terminator) is refused.
int crackUrl(std::string_view url, HttpTarget& target);

}  // namespace tamberlin
