#pragma once

class QUrl;
class QWidget;

// Web views come from a module loaded on first use (beside the executable, or where the build
// put it), so starting the reader does not wait for the web engine. The views are the engine's
// own widgets, driven through their properties.
namespace webview {

// Raises UserError when the module cannot be loaded.
QWidget* create(QWidget* parent);
void load(QWidget* view, const QUrl& url);

} // namespace webview
