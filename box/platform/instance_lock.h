// The single-instance rule: one running box per user session.
#pragma once

#include <string>

namespace velmo {

class InstanceLock {
 public:
  virtual ~InstanceLock() = default;
  // True when this process now holds the named lock for the rest of its life; false when
  // another process holds it.
  virtual bool Acquire(const std::u16string& name) = 0;
};

}  // namespace velmo
