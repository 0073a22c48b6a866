// The runtime's common exception and error kinds. A catch site catches exactly the kind its behaviour names.
#pragma once

#include "platform/lang/Throwable.h"

namespace plat::lang {

PLAT_DECLARE_THROWABLE(NullPointerException, RuntimeException, "java.lang.NullPointerException")
PLAT_DECLARE_THROWABLE(ArithmeticException, RuntimeException, "java.lang.ArithmeticException")
PLAT_DECLARE_THROWABLE(ClassCastException, RuntimeException, "java.lang.ClassCastException")
PLAT_DECLARE_THROWABLE(IllegalArgumentException, RuntimeException, "java.lang.IllegalArgumentException")
PLAT_DECLARE_THROWABLE(NumberFormatException, IllegalArgumentException, "java.lang.NumberFormatException")
PLAT_DECLARE_THROWABLE(IllegalStateException, RuntimeException, "java.lang.IllegalStateException")
PLAT_DECLARE_THROWABLE(UnsupportedOperationException, RuntimeException, "java.lang.UnsupportedOperationException")
PLAT_DECLARE_THROWABLE(IndexOutOfBoundsException, RuntimeException, "java.lang.IndexOutOfBoundsException")
PLAT_DECLARE_THROWABLE(ArrayIndexOutOfBoundsException, IndexOutOfBoundsException,
                       "java.lang.ArrayIndexOutOfBoundsException")
PLAT_DECLARE_THROWABLE(StringIndexOutOfBoundsException, IndexOutOfBoundsException,
                       "java.lang.StringIndexOutOfBoundsException")
PLAT_DECLARE_THROWABLE(NegativeArraySizeException, RuntimeException, "java.lang.NegativeArraySizeException")
PLAT_DECLARE_THROWABLE(SecurityException, RuntimeException, "java.lang.SecurityException")

PLAT_DECLARE_THROWABLE(InterruptedException, Exception, "java.lang.InterruptedException")
PLAT_DECLARE_THROWABLE(CloneNotSupportedException, Exception, "java.lang.CloneNotSupportedException")
PLAT_DECLARE_THROWABLE(ReflectiveOperationException, Exception, "java.lang.ReflectiveOperationException")
PLAT_DECLARE_THROWABLE(ClassNotFoundException, ReflectiveOperationException, "java.lang.ClassNotFoundException")
PLAT_DECLARE_THROWABLE(InstantiationException, ReflectiveOperationException, "java.lang.InstantiationException")
PLAT_DECLARE_THROWABLE(IllegalAccessException, ReflectiveOperationException, "java.lang.IllegalAccessException")
PLAT_DECLARE_THROWABLE(NoSuchMethodException, ReflectiveOperationException, "java.lang.NoSuchMethodException")

PLAT_DECLARE_THROWABLE(OutOfMemoryError, Error, "java.lang.OutOfMemoryError")
PLAT_DECLARE_THROWABLE(InternalError, Error, "java.lang.InternalError")

}  // namespace plat::lang
