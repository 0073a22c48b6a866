# What `cmake --install build --prefix P` puts under P: the kit's libraries and the platform libraries they link,
# their headers under P/include, the CMake package `Quenlora` (find_package(Quenlora) and then
# target_link_libraries(app PRIVATE Drivella)) and one pkg-config file per library. Test kit, tests and programs stay
# in the build tree.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# Installed libraries, one per line, in link order. A target this configuration does not build is left out.
set(plat_install_candidates
  plat_core
  plat_sql
  plat_text
  plat_net
  plat_sqlite
  plat_pq
  plat_gui
  plat_gui_qt
  Wirlow
  Rowlace
  Drivella
  Tethra
)

set(plat_installed "")
foreach(lib IN LISTS plat_install_candidates)
  if(TARGET ${lib})
    list(APPEND plat_installed ${lib})
  endif()
endforeach()

set(plat_pc_template ${CMAKE_CURRENT_LIST_DIR}/library.pc.in)
set(plat_pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
# pkg-config files find the prefix from their own place, so the tree may be moved after installing.
file(RELATIVE_PATH plat_pc_to_prefix /root/${plat_pc_dir} /root)
string(REGEX REPLACE "/$" "" plat_pc_to_prefix "${plat_pc_to_prefix}")

foreach(lib IN LISTS plat_installed)
  # The libraries load each other by name (modules) and find their own dependencies beside themselves.
  set_target_properties(${lib} PROPERTIES INSTALL_RPATH "$ORIGIN")
  # The headers are C++20: a program that links the library compiles as C++20 without saying so.
  target_compile_features(${lib} INTERFACE cxx_std_20)

  get_target_property(dirs ${lib} PLAT_HEADER_DIRS)
  foreach(dir IN LISTS dirs)
    if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/${dir})
      install(DIRECTORY ${CMAKE_SOURCE_DIR}/${dir}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${dir}
              FILES_MATCHING PATTERN "*.h")
    endif()
  endforeach()
  get_target_property(flat_dirs ${lib} PLAT_HEADER_FLAT_DIRS)
  foreach(dir IN LISTS flat_dirs)
    file(GLOB headers ${CMAKE_SOURCE_DIR}/${dir}/*.h)
    install(FILES ${headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${dir})
  endforeach()

  # Requires of the pkg-config file: the public dependencies of the target.
  get_target_property(deps ${lib} INTERFACE_LINK_LIBRARIES)
  set(PC_NAME ${lib})
  set(PC_REQUIRES "")
  set(PC_LIBS_EXTRA "")
  foreach(dep IN LISTS deps)
    if(dep IN_LIST plat_installed)
      list(APPEND PC_REQUIRES ${dep})
    elseif(dep STREQUAL "PkgConfig::GMP")
      list(APPEND PC_REQUIRES gmpxx gmp)
    elseif(dep STREQUAL "Qt6::Widgets")
      list(APPEND PC_REQUIRES Qt6Widgets)
    elseif(dep STREQUAL "Threads::Threads")
      set(PC_LIBS_EXTRA " -pthread")
    elseif(dep MATCHES "^-l|^[A-Za-z0-9_]+$")
      string(REGEX REPLACE "^-l" "" dep "${dep}")
      string(APPEND PC_LIBS_EXTRA " -l${dep}")
    else()
      message(FATAL_ERROR "Install.cmake: no pkg-config form for ${dep}, a public dependency of ${lib}")
    endif()
  endforeach()
  list(JOIN PC_REQUIRES " " PC_REQUIRES)
  configure_file(${plat_pc_template} ${CMAKE_BINARY_DIR}/pkgconfig/${lib}.pc @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/pkgconfig/${lib}.pc DESTINATION ${plat_pc_dir})
endforeach()

install(TARGETS ${plat_installed} EXPORT QuenloraTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
set(plat_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Quenlora)
install(EXPORT QuenloraTargets DESTINATION ${plat_cmake_dir})
if(TARGET plat_gui_qt)
  set(QUENLORA_WITH_QT ON)
else()
  set(QUENLORA_WITH_QT OFF)
endif()
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/QuenloraConfig.cmake.in
                              ${CMAKE_BINARY_DIR}/cmake/QuenloraConfig.cmake INSTALL_DESTINATION ${plat_cmake_dir})
install(FILES ${CMAKE_BINARY_DIR}/cmake/QuenloraConfig.cmake DESTINATION ${plat_cmake_dir})

# Builds exactly what the install copies, for scripts that install without building everything.
add_custom_target(installed_libraries)
add_dependencies(installed_libraries ${plat_installed})
