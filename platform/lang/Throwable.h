// Root of the exception hierarchy, shaped like the managed runtime's: Throwable -> Exception -> RuntimeException ...
// and Throwable -> Error, where an Error is not an Exception. Every class knows its qualified name, can copy itself
// and can rethrow itself with its dynamic type, so chains and stored failures never slice.
#pragma once

#include <exception>
#include <memory>
#include <string>

namespace plat::lang {

class Throwable;
using ThrowableRef = std::shared_ptr<const Throwable>;

class Throwable : public std::exception {
 public:
  Throwable() = default;  // no message: toString() is the class name alone
  explicit Throwable(std::string message) : message_(std::move(message)), hasMessage_(true) {}
  Throwable(std::string message, ThrowableRef cause)
      : message_(std::move(message)), hasMessage_(true), cause_(std::move(cause)) {}
  ~Throwable() override = default;

  const char* what() const noexcept override { return message_.c_str(); }

  // The detail text; empty when the exception was made without one (see hasMessage()).
  const std::string& getMessage() const { return message_; }
  bool hasMessage() const { return hasMessage_; }

  const ThrowableRef& getCause() const { return cause_; }
  void initCause(ThrowableRef cause) { cause_ = std::move(cause); }

  // Qualified class name in the class registry's form, e.g. "java.io.IOException".
  virtual std::string getClassName() const { return "java.lang.Throwable"; }
  // The C++ class of the object (e.g. "plat::io::IOException"), then ": " and the message when there is one.
  virtual std::string toString() const;
  [[noreturn]] virtual void raise() const { throw *this; }
  virtual std::shared_ptr<Throwable> clone() const { return std::make_shared<Throwable>(*this); }

 private:
  std::string message_;
  bool hasMessage_ = false;
  ThrowableRef cause_;
};

// Members every concrete class of the hierarchy needs; use inside the class body.
#define PLAT_THROWABLE_MEMBERS(Name, QualifiedName)                 \
 public:                                                            \
  std::string getClassName() const override {                       \
    return QualifiedName;                                           \
  }                                                                 \
  [[noreturn]] void raise() const override {                        \
    throw *this;                                                    \
  }                                                                 \
  std::shared_ptr<::plat::lang::Throwable> clone() const override { \
    return std::make_shared<Name>(*this);                           \
  }

// An exception class that adds nothing but its name to its base.
#define PLAT_DECLARE_THROWABLE(Name, Base, QualifiedName) \
  class Name : public Base {                              \
    using BaseType = Base;                                \
                                                          \
   public:                                                \
    using BaseType::BaseType;                             \
    PLAT_THROWABLE_MEMBERS(Name, QualifiedName)           \
  };

PLAT_DECLARE_THROWABLE(Exception, Throwable, "java.lang.Exception")
PLAT_DECLARE_THROWABLE(Error, Throwable, "java.lang.Error")
PLAT_DECLARE_THROWABLE(RuntimeException, Exception, "java.lang.RuntimeException")

}  // namespace plat::lang
