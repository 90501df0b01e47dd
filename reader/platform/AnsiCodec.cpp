#include "AnsiCodec.h"

#include <iconv.h>

#include <cerrno>
#include <memory>
#include <stdexcept>

namespace {

QByteArray convert(const char* to, const char* from, const QByteArray& input) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("GB18030 conversion is not available");
    std::unique_ptr<void, int (*)(iconv_t)> guard(cd, iconv_close);

    QByteArray out;
    out.resize(input.size() * 2 + 16);
    char* in = const_cast<char*>(input.constData());
    size_t inLeft = static_cast<size_t>(input.size());
    size_t done = 0;
    while (inLeft > 0) {
        char* dst = out.data() + done;
        size_t outLeft = static_cast<size_t>(out.size()) - done;
        const size_t before = outLeft;
        const size_t r = iconv(cd, &in, &inLeft, &dst, &outLeft);
        done += before - outLeft;
        if (r != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
        } else {
            // An invalid or truncated sequence: keep a replacement and go on, losing nothing else.
            ++in;
            --inLeft;
            if (static_cast<size_t>(out.size()) - done < 4)
                out.resize(out.size() * 2);
            out[static_cast<qsizetype>(done++)] = '?';
        }
    }
    out.resize(static_cast<qsizetype>(done));
    return out;
}

} // namespace

namespace ansi {

QByteArray encode(const QString& text) {
    return convert("GB18030", "UTF-8", text.toUtf8());
}

QString decode(const QByteArray& bytes) {
    return QString::fromUtf8(convert("UTF-8", "GB18030", bytes));
}

QString toCrLf(const QString& text) {
    QString t = fromCrLf(text);
    t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return t;
}

QString fromCrLf(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

} // namespace ansi
