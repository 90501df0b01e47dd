#include "SingleInstance.h"

#include <QDir>

namespace glossa {

QString SingleInstance::lockFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime;
    return QDir::tempPath();
}

SingleInstance::SingleInstance(const QString& name)
    : m_path(QDir(lockFolder()).filePath(name + QStringLiteral(".lock"))) {}

bool SingleInstance::acquire() {
    if (isHeld())
        return true;
    m_lock = std::make_unique<QLockFile>(m_path);
    // Only a dead owner makes a lock stale; a copy running for days keeps its lock.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    if (m_lock->error() == QLockFile::LockFailedError)
        return false;
    // The folder cannot hold a lock file: better to run than to refuse every start.
    return true;
}

} // namespace glossa
