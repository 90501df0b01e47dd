#include "ErrorGuard.h"

#include "Messages.h"

namespace guard {

void report(const std::exception& error) {
    if (const auto* user = dynamic_cast<const UserError*>(&error))
        ShowMessage(user->text());
    else
        ShowMessage(QString::fromLocal8Bit(error.what()));
}

} // namespace guard

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        guard::report(error);
    } catch (...) {
        ShowMessage(QStringLiteral("未知错误"));
    }
    return false;
}
