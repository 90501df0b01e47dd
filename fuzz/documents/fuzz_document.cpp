// Any bytes as a reading document: decoding must not crash, and the document it reads must
// survive being written and read again.
#include "documents/ReadingDocument.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ReadingDocument document =
        DecodeDocument(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (DecodeDocument(EncodeDocument(document)) != document)
        std::abort();
    return 0;
}
