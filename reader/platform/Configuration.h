#pragma once

#include <QString>

// Host names and contact values, from "verbaloom.ini" beside the executable (INI, UTF-8).
// VERBALOOM_CONFIG names another file (tests). A key that is absent gives the fallback.
namespace config {

QString value(const QString& key, const QString& fallback);

// The values used by more than one subsystem.
QString makerServer();  // the maker's server, e.g. "http://www.verbaloom.com"
QString makerWebSite(); // the maker's home page
QString downloadPage(); // the product's download page
QString downloadSite(); // the download site with the material list and search

} // namespace config
