#include "WebViewLoader.h"

#include "platform/ErrorGuard.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QOpenGLContext>
#include <QUrl>
#include <QVariant>
#include <QWidget>

// Qt's global share context, which QGuiApplication makes at start-up when asked to.
QOpenGLContext* qt_gl_global_share_context();
void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace webview {

namespace {

// The web engine draws through the context shared by every window. Qt would make it at
// start-up (Qt::AA_ShareOpenGLContexts), which costs more than starting the reader itself, so
// it is made here, before the engine is loaded.
void provideShareContext() {
    if (qt_gl_global_share_context())
        return;
    auto* context = new QOpenGLContext(QCoreApplication::instance());
    context->setFormat(QSurfaceFormat::defaultFormat());
    if (context->create())
        qt_gl_set_global_share_context(context);
    else
        delete context; // software drawing then, as on a machine without OpenGL
}

using CreateFunction = QWidget* (*)(QWidget*);

CreateFunction createFunction() {
    static CreateFunction function = [] {
        provideShareContext();
        const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/lectern_webview.so");
        QLibrary library;
        for (const QString& path : {beside, QStringLiteral(VERBALOOM_WEBVIEW_MODULE)}) {
            library.setFileName(path);
            if (library.load())
                break;
        }
        return reinterpret_cast<CreateFunction>(library.resolve("verbaloom_create_web_view"));
    }();
    if (!function)
        throw UserError(QStringLiteral("无法载入网页组件 lectern_webview.so。"));
    return function;
}

} // namespace

QWidget* create(QWidget* parent) {
    return createFunction()(parent);
}

void load(QWidget* view, const QUrl& url) {
    view->setProperty("url", url);
}

} // namespace webview
