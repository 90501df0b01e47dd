#include "ResourceList.h"

#include "platform/KeyedFile.h"

QStringList Categories(const KeyedFile& list) {
    return list.sections();
}

QList<Article> ArticlesOf(const KeyedFile& list, const QString& category) {
    QList<Article> articles;
    for (const QString& title : list.keys(category))
        articles.append({title, list.readString(category, title)});
    return articles;
}
