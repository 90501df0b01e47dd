// Loaded at run time by the look-up window (online/lookup/WebViewLoader.cpp).
#include <QWebEngineView>

extern "C" Q_DECL_EXPORT QWidget* verbaloom_create_web_view(QWidget* parent) {
    return new QWebEngineView(parent);
}
