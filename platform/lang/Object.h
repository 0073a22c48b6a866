// Base of every class whose objects are shared, created by name, compared by identity or carried as an untyped
// value. Objects are held by Ref<T>; a null reference is nullptr.
#pragma once

#include <memory>
#include <string>

namespace plat::lang {

template <class T>
using Ref = std::shared_ptr<T>;

template <class T>
using WeakRef = std::weak_ptr<T>;

class Object : public std::enable_shared_from_this<Object> {
 public:
  Object() = default;
  Object(const Object&) = default;
  Object& operator=(const Object&) = default;
  virtual ~Object() = default;

  // Fully qualified name of the object's class as the class registry knows it.
  virtual std::string getClassName() const;
  // The class name, "@" and the identity in hex, as the managed runtime's default text reads.
  virtual std::string toString() const;
  // Identity unless a class defines value equality.
  virtual bool equals(const Object& other) const { return this == &other; }
  virtual int hashCode() const;
};

// A shared object of class T, constructed in place.
template <class T, class... Args>
Ref<T> makeRef(Args&&... args) {
  return std::make_shared<T>(std::forward<Args>(args)...);
}

// Downcast of a reference; null when the object is not a T.
template <class T, class U>
Ref<T> refCast(const Ref<U>& ref) {
  return std::dynamic_pointer_cast<T>(ref);
}

}  // namespace plat::lang
