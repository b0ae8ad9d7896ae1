#pragma once

#include <QByteArray>
#include <QByteArrayView>

struct evp_md_ctx_st; // libcrypto's EVP_MD_CTX

// SHA-256 on libcrypto, which uses the processor's SHA instructions where
// there are any: a quarter of a gigabyte list hashes in a fraction of a second.
namespace sha256 {

// The lower-case hex digest of the bytes.
QByteArray hex(QByteArrayView bytes);

// A digest over pieces added one after another, as if they were joined.
class Hasher
{
  public:
    Hasher();
    ~Hasher();
    Hasher(const Hasher&) = delete;
    Hasher& operator=(const Hasher&) = delete;

    void add(QByteArrayView bytes);
    // The lower-case hex digest of all that was added; ends the hasher.
    QByteArray hexResult();

  private:
    ::evp_md_ctx_st* context_;
};

} // namespace sha256
