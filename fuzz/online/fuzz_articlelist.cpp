// Any bytes as the resource list: every category lists its articles, each with an address.
#include "online/ResourceList.h"
#include "platform/KeyedFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const KeyedFile list =
        KeyedFile::fromBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    for (const QString& category : Categories(list)) {
        for (const Article& article : ArticlesOf(list, category)) {
            if (article.title.isEmpty() || article.title.contains(QLatin1Char('=')))
                std::abort();
        }
    }
    return 0;
}
