#pragma once

#include <string>

namespace tamberlin::test {

// A self-signed certificate for 127.0.0.1 and localhost with its key, made
// fresh for each test run so no key lives in the source tree.
struct TestCertificate {
  std::string certificatePem;
  std::string privateKeyPem;

  static TestCertificate create();
};

}  // namespace tamberlin::test
