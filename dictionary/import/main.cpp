// glossa-import: adds a word list (tab-separated or CSV, with a header) to a dictionary database.

#include "core/DatabaseError.h"
#include "core/DictionaryFile.h"
#include "core/WordImport.h"
#include "core/WordList.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

void print(FILE* stream, const QString& text) {
    const QByteArray bytes = (text + QLatin1Char('\n')).toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

QString delimiterName(QChar delimiter) {
    if (delimiter == QLatin1Char('\t'))
        return QStringLiteral("制表符分隔");
    if (delimiter == QLatin1Char(';'))
        return QStringLiteral("分号分隔");
    return QStringLiteral("逗号分隔");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("把词表（制表符分隔或 CSV，首行为列名：单词/word、音标/phonetic、解释/explanation；"
                       "UTF-8 或 GB18030）加入词典数据库。"));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("词表文件"));
    const QCommandLineOption database(QStringList{QStringLiteral("d"), QStringLiteral("db")},
                                      QStringLiteral("词典数据库（默认：当前文件夹或本程序旁的 dict.mdb）"),
                                      QStringLiteral("dict.mdb"));
    const QCommandLineOption create(QStringLiteral("new"), QStringLiteral("新建数据库（文件不得已存在）"));
    const QCommandLineOption duplicates(QStringLiteral("duplicates"),
                                        QStringLiteral("已有完全相同的词条时仍然再添加一次"));
    const QCommandLineOption quiet(QStringList{QStringLiteral("q"), QStringLiteral("quiet")},
                                   QStringLiteral("只报告被拒绝的行和总数"));
    parser.addOptions({database, create, duplicates, quiet});
    parser.process(app);

    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) {
        print(stderr, parser.helpText());
        return 2;
    }
    const QString path = parser.isSet(database) ? parser.value(database) : glossa::LocateDictionary();

    QFile file(files.first());
    if (!file.open(QIODevice::ReadOnly)) {
        print(stderr, QStringLiteral("无法读取 %1：%2").arg(files.first(), file.errorString()));
        return 1;
    }
    try {
        const glossa::WordList list = glossa::ParseWordList(file.readAll());
        if (!parser.isSet(quiet)) {
            print(stdout, QStringLiteral("词表：%1（%2，%3），%4 条可用的词条")
                              .arg(QDir::toNativeSeparators(files.first()), list.encoding,
                                   delimiterName(list.delimiter))
                              .arg(list.entries.size()));
            if (!list.ignoredColumns.isEmpty())
                print(stdout,
                      QStringLiteral("忽略的列：%1").arg(list.ignoredColumns.join(QStringLiteral("、"))));
        }
        if (parser.isSet(create))
            glossa::CreateDictionary(path);
        const glossa::ImportResult result = glossa::ImportWords(path, list.entries, parser.isSet(duplicates));

        QVector<glossa::RefusedLine> refused = list.refused + result.refused;
        std::sort(refused.begin(), refused.end(),
                  [](const auto& a, const auto& b) { return a.line < b.line; });
        for (const glossa::RefusedLine& line : refused)
            print(stdout, QStringLiteral("第 %1 行未添加：%2").arg(line.line).arg(line.reason));
        print(stdout, QStringLiteral("%1：添加 %2 条，已有而未重复添加 %3 条，拒绝 %4 行。")
                          .arg(QDir::toNativeSeparators(path))
                          .arg(result.added)
                          .arg(result.alreadyPresent)
                          .arg(refused.size()));
        return 0;
    } catch (const glossa::WordListError& error) {
        print(stderr, QStringLiteral("%1：%2").arg(QDir::toNativeSeparators(files.first()), error.text()));
    } catch (const glossa::DatabaseError& error) {
        print(stderr, QStringLiteral("%1：%2").arg(QDir::toNativeSeparators(path), error.text()));
    }
    return 1;
}
