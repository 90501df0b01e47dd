#include "GenerateDictionary.h"

#include "core/DatabaseError.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.size() > 2) {
        std::fprintf(stderr, "usage: glossa-benchgen OUT.mdb [COUNT]\n");
        return 2;
    }
    try {
        GenerateDictionary(args.at(0), args.size() > 1 ? args.at(1).toInt() : 500000);
    } catch (const glossa::DatabaseError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
