#pragma once
// One running copy of the program per user: a lock file in the user's runtime folder. A second
// start finds it held and ends; a lock left by a copy that crashed is taken over.
#include <QLockFile>
#include <QString>

namespace kelvara {

class SingleInstance {
 public:
  explicit SingleInstance(const QString& lockPath);
  // True when this copy now holds the lock; false while another running copy holds it.
  bool TryAcquire();
  bool Held() const { return lock_.isLocked(); }
  // The runtime folder's "Kelvara3.lock" (the temporary folder when there is no runtime folder).
  static QString DefaultLockPath();

 private:
  QLockFile lock_;
};

}  // namespace kelvara
