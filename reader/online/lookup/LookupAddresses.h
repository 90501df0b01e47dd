#pragma once

#include <QString>
#include <QUrl>

#include <array>

// The five online dictionaries and how a word becomes the address of its answer page.
namespace lookup {

// Where the word goes in a service's address.
enum class WordPlace { Path, Query, Fragment };

struct Service {
    QString name;        // "haici": names the check box and the web view
    QString caption;     // check box and tab caption
    QString hostKey;     // configuration key of the host
    QString defaultHost; // host when the configuration names none
    QString prefix;      // what follows the host, before the word
    WordPlace place;
};

// In the order the window lists and addresses them.
const std::array<Service, 5>& services();

// The configured host, without a trailing slash.
QString host(const Service& service);

// The host, the fixed prefix and the word. The word stays as typed (spaces, Chinese), except
// the few characters that would end or split its part of the address: those are written as
// %XX so the word reaches the service whole.
QString address(const Service& service, const QString& word);

// The word with the characters that would end or split its part of the address written as %XX.
QString escapeDelimiters(const QString& word, WordPlace place);

// How an address built above is handed to the web engine.
QUrl toEngineUrl(const QString& address);

// Spaces and control characters at both ends removed; line breaks of a selection become "\n".
QString trimmedWord(const QString& text);

} // namespace lookup
