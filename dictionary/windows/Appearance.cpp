#include "Appearance.h"

#include <QApplication>
#include <QFile>
#include <QFont>

static void initGlossaResources() {
    Q_INIT_RESOURCE(glossa);
}

namespace glossa {

void SetUpAppearance(QApplication& app) {
    initGlossaResources();
    const QStringList cjk = {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"),
                             QStringLiteral("WenQuanYi Micro Hei")};
    QFont::insertSubstitutions(QStringLiteral("宋体"), cjk);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), cjk);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    app.setFont(font);

    QFile skin(QStringLiteral(":/glossa/glossa.qss"));
    if (skin.open(QIODevice::ReadOnly))
        app.setStyleSheet(QString::fromUtf8(skin.readAll()));
}

} // namespace glossa
