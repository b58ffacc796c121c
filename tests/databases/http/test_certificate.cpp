#include "databases/http/test_certificate.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <memory>
#include <stdexcept>

namespace tamberlin::test {

namespace {

struct Free {
  void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
  void operator()(X509* certificate) const { X509_free(certificate); }
  void operator()(BIO* bio) const { BIO_free(bio); }
  void operator()(X509_EXTENSION* extension) const { X509_EXTENSION_free(extension); }
};

void require(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string("test certificate: ") + what);
}

void addExtension(X509* certificate, int nid, const char* value) {
  X509V3_CTX context;
  X509V3_set_ctx_nodb(&context);
  X509V3_set_ctx(&context, certificate, certificate, nullptr, nullptr, 0);
  std::unique_ptr<X509_EXTENSION, Free> extension(X509V3_EXT_conf_nid(nullptr, &context, nid, value));
  require(extension && X509_add_ext(certificate, extension.get(), -1) == 1, "extension");
}

template <typename Write>
std::string pem(Write write) {
  std::unique_ptr<BIO, Free> bio(BIO_new(BIO_s_mem()));
  require(bio && write(bio.get()) == 1, "PEM");
  char* data = nullptr;
  const long size = BIO_get_mem_data(bio.get(), &data);
  return std::string(data, static_cast<size_t>(size));
}

}  // namespace

TestCertificate TestCertificate::create() {
  std::unique_ptr<EVP_PKEY, Free> key(EVP_EC_gen("P-256"));
  require(key != nullptr, "key");
  std::unique_ptr<X509, Free> certificate(X509_new());
  require(certificate != nullptr, "certificate");
  X509* x = certificate.get();
  require(X509_set_version(x, 2) == 1, "version");
  ASN1_INTEGER_set(X509_get_serialNumber(x), 1);
  X509_gmtime_adj(X509_getm_notBefore(x), -3600);
  X509_gmtime_adj(X509_getm_notAfter(x), 24 * 3600);
  require(X509_set_pubkey(x, key.get()) == 1, "public key");
  X509_NAME* name = X509_get_subject_name(x);
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("localhost"),
                             -1, -1, 0);
  require(X509_set_issuer_name(x, name) == 1, "issuer");
  addExtension(x, NID_basic_constraints, "critical,CA:TRUE");
  addExtension(x, NID_key_usage, "critical,digitalSignature,keyCertSign");
  addExtension(x, NID_subject_alt_name, "DNS:localhost,IP:127.0.0.1");
  require(X509_sign(x, key.get(), EVP_sha256()) > 0, "signature");

  TestCertificate result;
  result.certificatePem = pem([&](BIO* bio) { return PEM_write_bio_X509(bio, x); });
  result.privateKeyPem = pem([&](BIO* bio) {
    return PEM_write_bio_PrivateKey(bio, key.get(), nullptr, nullptr, 0, nullptr, nullptr);
  });
  return result;
}

}  // namespace tamberlin::test
