#include "ScanText.h"

bool IsWordDelimiter(QChar c) {
    const char16_t u = c.unicode();
    return !((u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z'));
}

qsizetype NextWordStart(QStringView text, qsizetype pos) {
    while (pos < text.size() && !IsWordDelimiter(text[pos]))
        ++pos;
    while (pos < text.size() && IsWordDelimiter(text[pos]))
        ++pos;
    return pos;
}

namespace {

// A word begins at p: its first character is a word character and nothing of a word stands before it.
// A word that begins exactly where the search starts counts, so a search from the start of a word
// (or of the text) finds that word.
bool IsWordStart(QStringView text, qsizetype p) {
    return !IsWordDelimiter(text[p]) && (p == 0 || IsWordDelimiter(text[p - 1]));
}

bool EndsWord(QStringView text, qsizetype end) {
    return end == text.size() || IsWordDelimiter(text[end]);
}

} // namespace

std::optional<qsizetype> ScanText(QStringView text, qsizetype selStart, qsizetype selLength, QStringView what,
                                  unsigned options) {
    const qsizetype n = what.size();
    const qsizetype last = text.size() - n;
    if (n == 0 || last < 0)
        return std::nullopt;
    const bool down = options & FindOption::Down;
    const qsizetype first = down ? selStart + selLength : selStart - n;
    if (first < 0 || first > last)
        return std::nullopt;
    const auto cs = (options & FindOption::MatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const bool wholeWord = options & FindOption::WholeWord;

    if (!wholeWord) {
        const qsizetype p = down ? text.indexOf(what, first, cs) : text.lastIndexOf(what, first, cs);
        return p < 0 ? std::nullopt : std::optional(p);
    }
    // The library search finds the hits fast; whole word then keeps those that are whole words.
    if (down) {
        qsizetype from = IsWordStart(text, first) ? first : NextWordStart(text, first);
        while (from <= last) {
            const qsizetype p = text.indexOf(what, from, cs);
            if (p < 0)
                return std::nullopt;
            if (IsWordStart(text, p) && EndsWord(text, p + n))
                return p;
            from = NextWordStart(text, p);
        }
        return std::nullopt;
    }
    for (qsizetype from = first; from >= 0;) {
        const qsizetype p = text.lastIndexOf(what, from, cs);
        if (p < 0)
            return std::nullopt;
        if (IsWordStart(text, p) && EndsWord(text, p + n))
            return p;
        from = p - 1;
    }
    return std::nullopt;
}
