#include "FileUrl.h"

namespace FileUrl {

bool isLocal(const QUrl &url)
{
    if (!url.isValid() || url.scheme() != u"file")
        return false;
    // QUrl lower-cases hosts; toLocalFile() would make "//otherhost/x" of the others.
    const QString host = url.host();
    return host.isEmpty() || host == u"localhost";
}

} // namespace FileUrl
