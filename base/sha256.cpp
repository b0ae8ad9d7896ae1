#include "base/sha256.h"

#include <new>
#include <openssl/evp.h>

namespace sha256 {

namespace {

// libcrypto fails only when it cannot allocate.
void check(int succeeded)
{
    if (succeeded != 1)
        throw std::bad_alloc();
}

QByteArray toHex(const unsigned char* digest, unsigned int size)
{
    return QByteArray(reinterpret_cast<const char*>(digest), static_cast<qsizetype>(size)).toHex();
}

} // namespace

QByteArray hex(QByteArrayView bytes)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    check(EVP_Digest(bytes.data(), static_cast<size_t>(bytes.size()), digest, &size, EVP_sha256(),
                     nullptr));
    return toHex(digest, size);
}

Hasher::Hasher() : context_(EVP_MD_CTX_new())
{
    if (!context_)
        throw std::bad_alloc();
    if (EVP_DigestInit_ex(context_, EVP_sha256(), nullptr) != 1) {
        EVP_MD_CTX_free(context_);
        throw std::bad_alloc();
    }
}

Hasher::~Hasher()
{
    EVP_MD_CTX_free(context_);
}

void Hasher::add(QByteArrayView bytes)
{
    check(EVP_DigestUpdate(context_, bytes.data(), static_cast<size_t>(bytes.size())));
}

QByteArray Hasher::hexResult()
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    check(EVP_DigestFinal_ex(context_, digest, &size));
    return toHex(digest, size);
}

} // namespace sha256
