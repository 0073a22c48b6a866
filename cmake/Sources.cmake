# Each target takes every source below its folders, so a new class needs no edit of a build file.
function(plat_sources out)
  set(all "")
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS
         ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h)
    list(APPEND all ${found})
  endforeach()
  set(${out} ${all} PARENT_SCOPE)
endfunction()

# Sources of one folder only, without its sub-folders.
function(plat_sources_flat out dir)
  file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h)
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# One GoogleTest executable over the test sources of the given folders.
function(plat_test_executable name)
  cmake_parse_arguments(T "" "" "DIRS;LIBS" ${ARGN})
  plat_sources(srcs ${T_DIRS})
  if(NOT srcs)
    return()
  endif()
  plat_existing(libs ${T_LIBS})
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${libs} GTest::gmock GTest::gtest_main Threads::Threads)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 PROPERTIES TIMEOUT 300
                       WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
endfunction()

# A shared library over the given folders; skipped while the folders hold no source yet.
function(plat_library name)
  cmake_parse_arguments(L "" "" "DIRS;FLAT;LIBS;PRIVATE_LIBS" ${ARGN})
  plat_sources(srcs ${L_DIRS})
  foreach(dir IN LISTS L_FLAT)
    plat_sources_flat(flat ${dir})
    list(APPEND srcs ${flat})
  endforeach()
  list(FILTER srcs INCLUDE REGEX "\\.cpp$")
  if(NOT srcs)
    return()
  endif()
  plat_existing(libs ${L_LIBS})
  add_library(${name} SHARED ${srcs})
  target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}> $<INSTALL_INTERFACE:include>)
  target_link_libraries(${name} PUBLIC ${libs} PRIVATE ${L_PRIVATE_LIBS})
  # Nothing interposes a library's own symbols, so its calls to itself are bound and inlined inside it instead of
  # going through the PLT (a getter to its row's lock, a result set to its open check).
  target_compile_options(${name} PRIVATE -fno-semantic-interposition)
  # Where its headers live, for the install rules (cmake/Install.cmake).
  set_target_properties(${name} PROPERTIES PLAT_HEADER_DIRS "${L_DIRS}" PLAT_HEADER_FLAT_DIRS "${L_FLAT}")
endfunction()

# Drops platform targets that hold no source yet, so a deliverable can name the layers it will use.
function(plat_existing out)
  set(kept "")
  foreach(lib IN LISTS ARGN)
    if(lib MATCHES "^plat_" AND NOT TARGET ${lib})
      continue()
    endif()
    list(APPEND kept ${lib})
  endforeach()
  set(${out} ${kept} PARENT_SCOPE)
endfunction()
