#include "GenerateDictionary.h"

#include "core/DatabaseError.h"
#include "core/DictionaryFile.h"

#include <QSqlError>
#include <QSqlQuery>

#include <cstdint>

namespace {

// A small fixed generator so every run builds the same list.
struct Random {
    std::uint64_t state = 0x2545F4914F6CDD1DULL;
    std::uint32_t next() {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(state >> 33);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
};

} // namespace

void GenerateDictionary(const QString& path, int count) {
    glossa::CreateDictionary(path);
    const QString name = QStringLiteral("glossa-benchgen");
    {
        QSqlDatabase db = glossa::ConnectDictionary(path, name);
        QSqlQuery pragma(db);
        pragma.exec(QStringLiteral("PRAGMA journal_mode = OFF"));
        pragma.exec(QStringLiteral("PRAGMA synchronous = OFF"));
        db.transaction();
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("INSERT INTO 英语单词 (单词, 音标, 解释) VALUES (?, ?, ?)"));
        static const char16_t* const meanings[] = {u"n. 书；本子",       u"v. 学习；得知",
                                                   u"adj. 好的；优良的", u"adv. 很；非常",
                                                   u"prep. 关于；大约",  u"n. 词典\nv. 查阅"};
        Random random;
        for (int i = 0; i < count; ++i) {
            QString word;
            const int length = 3 + random.below(8);
            for (int c = 0; c < length; ++c)
                word += QLatin1Char(static_cast<char>('a' + random.below(26)));
            insert.addBindValue(word);
            insert.addBindValue(QStringLiteral("/") + word + QStringLiteral("/"));
            insert.addBindValue(QString::fromUtf16(meanings[random.below(6)]) +
                                QStringLiteral(" (%1)").arg(i));
            if (!insert.exec())
                throw glossa::DatabaseError::fromSql(insert.lastError());
        }
        if (!db.commit())
            throw glossa::DatabaseError::fromSql(db.lastError());
        pragma.exec(QStringLiteral("ANALYZE"));
    }
    QSqlDatabase::removeDatabase(name);
}
