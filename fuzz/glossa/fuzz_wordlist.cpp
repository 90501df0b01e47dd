// libFuzzer harness for the word list reader of glossa-import: any bytes either give entries and
// refused lines or a WordListError, never a crash or a hang.

#include "core/WordList.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const glossa::WordList list = glossa::ParseWordList(
            QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
        for (const glossa::WordEntry& entry : list.entries)
            if (entry.word.isEmpty() || entry.line < 2)
                __builtin_trap();
    } catch (const glossa::WordListError&) {
    }
    return 0;
}
