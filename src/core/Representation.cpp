#include "Representation.h"

#include <openssl/evp.h>

#include <memory>

QString Representation::checksum(const QList<Representation> &reps)
{
    // OpenSSL uses the CPU's SHA extensions where present: a 50 MB image hashes several
    // times faster than with a portable implementation, and capture runs on the UI thread.
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr);
    for (const Representation &rep : reps) {
        const QByteArray prefix =
            (QString::number(rep.index) + QLatin1Char('|') + rep.type + QLatin1Char('|')).toUtf8();
        EVP_DigestUpdate(ctx.get(), prefix.constData(), size_t(prefix.size()));
        EVP_DigestUpdate(ctx.get(), rep.data.constData(), size_t(rep.data.size()));
    }
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(ctx.get(), digest, &length);
    return QString::fromLatin1(
        QByteArray::fromRawData(reinterpret_cast<const char *>(digest), int(length)).toHex());
}
