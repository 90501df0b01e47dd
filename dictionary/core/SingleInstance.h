#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace glossa {

// Keeps a second copy of the program from running: a lock file named after the program in the user's
// runtime folder ($XDG_RUNTIME_DIR, else the temporary folder). A lock left by a copy that has died does
// not count. The lock is held until the object is destroyed.
class SingleInstance {
public:
    explicit SingleInstance(const QString& name);
    // False when another running copy holds the lock.
    bool acquire();
    bool isHeld() const { return m_lock && m_lock->isLocked(); }
    QString lockPath() const { return m_path; }

    static QString lockFolder();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace glossa
