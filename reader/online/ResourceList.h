#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class KeyedFile;

// The resource list: each section a category, each key an article title, its value the
// address of the article's reading document.
struct Article {
    QString title;
    QString address;
};

QStringList Categories(const KeyedFile& list);
QList<Article> ArticlesOf(const KeyedFile& list, const QString& category);
