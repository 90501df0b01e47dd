// Any bytes as the information feed: the notices stay bounded by the input and the version
// check either gives a number or raises its error.
#include "online/FeedFile.h"
#include "platform/ErrorGuard.h"
#include "platform/KeyedFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const KeyedFile feed =
        KeyedFile::fromBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const FeedNotices notices = ReadNotices(feed);
    if (notices.names.size() != notices.urls.size() || notices.names.size() > qsizetype(size) + 1)
        std::abort();
    if (notices.interval > 0 && notices.interval < kMinimumNoticeInterval)
        std::abort();
    try {
        VersionNumber(ReadUpdateOffer(feed, QStringLiteral("http://127.0.0.1/setup")).version);
    } catch (const UserError&) {
    }
    return 0;
}
