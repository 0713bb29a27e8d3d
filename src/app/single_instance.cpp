#include "app/single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace kelvara {

SingleInstance::SingleInstance(const QString& lockPath) : lock_(lockPath) {
  // A live holder is never stale by age; a holder that is no longer running is (QLockFile
  // checks the process behind the lock).
  lock_.setStaleLockTime(0);
}

bool SingleInstance::TryAcquire() { return lock_.isLocked() || lock_.tryLock(0); }

QString SingleInstance::DefaultLockPath() {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QDir::tempPath();
  QDir().mkpath(dir);
  return QDir(dir).filePath("Kelvara3.lock");
}

}  // namespace kelvara
