#pragma once

#include <QStringView>

#include <optional>

// Option bits of the find and replace dialogs, as the search sees them.
namespace FindOption {
inline constexpr unsigned Down = 0x1;
inline constexpr unsigned MatchCase = 0x20;
inline constexpr unsigned ReplaceOne = 0x200;
inline constexpr unsigned ReplaceAll = 0x400;
inline constexpr unsigned WholeWord = 0x800;
} // namespace FindOption

// Only ASCII digits and letters make up words; everything else, Chinese included, parts them.
bool IsWordDelimiter(QChar c);

// The start of the next word after the one that holds pos (or after the delimiters at pos);
// text.size() when no word follows.
qsizetype NextWordStart(QStringView text, qsizetype pos);

// The position of the next match of what, searching from the selection (selStart, selLength):
// down from its far end, or up for a match that ends at its start or before.
std::optional<qsizetype> ScanText(QStringView text, qsizetype selStart, qsizetype selLength, QStringView what,
                                  unsigned options);
