# Looks up what the build links. A required package that is missing stops the configure with the Debian package to
# install (the names of tools/install-packages.sh); an optional one is skipped with one status line, and what needs
# it is not built.

# plat_require(<Name> <debian-package> <find_package arguments...>): find_package without REQUIRED, so that the
# failure names the Debian package instead of a module's own text.
macro(plat_require name debian)
  find_package(${name} ${ARGN})
  if(NOT ${name}_FOUND)
    message(FATAL_ERROR "Required package missing: ${name} (Debian package ${debian}). "
                        "tools/install-packages.sh build installs every package the build needs.")
  endif()
endmacro()

# plat_require_pkg(<prefix> <debian-package> <pkg-config modules...>): the same for a library found by pkg-config.
macro(plat_require_pkg prefix debian)
  pkg_check_modules(${prefix} QUIET IMPORTED_TARGET GLOBAL ${ARGN})
  if(NOT ${prefix}_FOUND)
    message(FATAL_ERROR "Required package missing: ${ARGN} (pkg-config; Debian package ${debian}). "
                        "tools/install-packages.sh build installs every package the build needs.")
  endif()
endmacro()

find_package(Threads REQUIRED)
find_package(PkgConfig QUIET)
if(NOT PkgConfig_FOUND)
  message(FATAL_ERROR "Required program missing: pkg-config (Debian package pkg-config). "
                      "tools/install-packages.sh build installs every package the build needs.")
endif()
plat_require(ZLIB zlib1g-dev)
plat_require(OpenSSL libssl-dev 3)
plat_require(ICU libicu-dev 72 COMPONENTS uc i18n)
plat_require(SQLite3 libsqlite3-dev)
plat_require_pkg(GMP libgmp-dev gmpxx gmp)

# Optional: Qt 6 Widgets for the Qt adapters (plat_gui_qt) and the claim program's window, libpq for plat_pq.
find_package(Qt6 COMPONENTS Widgets OPTIONAL_COMPONENTS Test QUIET)
if(NOT Qt6_FOUND OR NOT TARGET Qt6::Widgets)
  set(Qt6_FOUND FALSE)
  message(STATUS "Qt 6 Widgets not found (Debian package qt6-base-dev): plat_gui_qt, Claimora and the Qt example "
                 "are not built")
endif()
pkg_check_modules(LIBPQ QUIET IMPORTED_TARGET GLOBAL libpq)
if(NOT LIBPQ_FOUND)
  message(STATUS "libpq not found (Debian package libpq-dev): the PostgreSQL driver plat_pq is not built")
endif()

# plat_optional_part(<option> <what> <missing...>): sets <option>_ENABLED, whether the tests, benchmarks or fuzz
# targets are built. Each missing entry names what is missing and its Debian package. AUTO builds them when nothing
# is missing and otherwise says in one status line what is not there; ON makes a missing package an error, so a run
# that must test never skips them.
function(plat_optional_part option what)
  string(TOUPPER "${${option}}" value)
  list(JOIN ARGN ", " names)
  if(value STREQUAL "AUTO")
    if(names)
      message(STATUS "${what} not built: ${names} missing (-D${option}=ON makes this an error)")
      set(${option}_ENABLED OFF PARENT_SCOPE)
    else()
      set(${option}_ENABLED ON PARENT_SCOPE)
    endif()
  elseif(value)
    if(names)
      message(FATAL_ERROR "${what} asked for with ${option}=${${option}}, but missing: ${names}. "
                          "tools/install-packages.sh test installs them.")
    endif()
    set(${option}_ENABLED ON PARENT_SCOPE)
  else()
    set(${option}_ENABLED OFF PARENT_SCOPE)
  endif()
endfunction()
