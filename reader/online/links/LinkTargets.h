#pragma once

#include <QString>

// The pages, mail links and texts the reader hands to other programs.
namespace links {

QString helpPage();         // Readme.htm beside the executable
QString makerWebSite();     // the maker's home page
QString materialListPage(); // the download site's list of reading material
QString materialSearchPage(const QString& word);
QString supportMailLink();    // mailto: the support address
QString recommendMailLink();  // a mail to a friend, no recipient
QString recommendationText(); // what goes on the clipboard for a messenger or forum
QString contactNumber();      // the instant-messaging number, digits only

} // namespace links
