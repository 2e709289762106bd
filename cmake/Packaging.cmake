# Installs the library, its public headers and a CMake package so that a host
# writes find_package(KorrGeomCore CONFIG REQUIRED) and links
# KorrGeomCore::KorrGeomCore; with COMPONENTS Exchange also
# KorrGeomCore::Exchange (STEP and IGES; its worker program is installed
# beside its build rules, in src/Worker). Beside the CMake package go
# pkg-config files for hosts built without CMake: korrgeomcore and
# korrgeomcore-exchange. Both kinds hand the kernel's include folder to the
# host as a system one, so the kernel's own warnings stay out of its build.
include(CMakePackageConfigHelpers)

set(KORRGEOM_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/KorrGeomCore)

install(TARGETS KorrGeomCore EXPORT KorrGeomCoreTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The Exchange library's headers only with the library.
if(NOT TARGET KorrGeomCoreExchange)
  set(KORRGEOM_HEADERS_LEFT_OUT REGEX "Service/(K(Exchange|Step|Iges)FileService|KFileServices)\\.h$" EXCLUDE)
endif()
install(DIRECTORY include/KorrGeomCore DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} ${KORRGEOM_HEADERS_LEFT_OUT})
install(FILES ${PROJECT_BINARY_DIR}/include/KorrGeomCore/KorrGeomCoreExport.h
  ${PROJECT_BINARY_DIR}/include/KorrGeomCore/KorrGeomCoreVersion.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/KorrGeomCore)

install(EXPORT KorrGeomCoreTargets NAMESPACE KorrGeomCore:: DESTINATION ${KORRGEOM_CMAKE_DIR})

if(TARGET KorrGeomCoreExchange)
  install(TARGETS KorrGeomCoreExchange EXPORT KorrGeomCoreExchangeTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_BINARY_DIR}/include/KorrGeomCore/KorrGeomCoreExchangeExport.h
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/KorrGeomCore)
  install(EXPORT KorrGeomCoreExchangeTargets NAMESPACE KorrGeomCore:: DESTINATION ${KORRGEOM_CMAKE_DIR})
endif()
configure_package_config_file(cmake/KorrGeomCoreConfig.cmake.in
  ${PROJECT_BINARY_DIR}/KorrGeomCoreConfig.cmake
  INSTALL_DESTINATION ${KORRGEOM_CMAKE_DIR})
# A host built against one version runs with any other that keeps its soname.
if(PROJECT_VERSION_MAJOR EQUAL 0)
  set(KORRGEOM_COMPATIBILITY SameMinorVersion)
else()
  set(KORRGEOM_COMPATIBILITY SameMajorVersion)
endif()
write_basic_package_version_file(${PROJECT_BINARY_DIR}/KorrGeomCoreConfigVersion.cmake
  COMPATIBILITY ${KORRGEOM_COMPATIBILITY})
install(FILES ${PROJECT_BINARY_DIR}/KorrGeomCoreConfig.cmake ${PROJECT_BINARY_DIR}/KorrGeomCoreConfigVersion.cmake
  DESTINATION ${KORRGEOM_CMAKE_DIR})

# The pkg-config files find the headers and libraries relative to themselves,
# so an install moved with --prefix or DESTDIR still works.
set(KORRGEOM_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH KORRGEOM_PC_TO_INCLUDEDIR /prefix/${KORRGEOM_PKGCONFIG_DIR} /prefix/${CMAKE_INSTALL_INCLUDEDIR})
configure_file(cmake/korrgeomcore.pc.in ${PROJECT_BINARY_DIR}/pkgconfig/korrgeomcore.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/pkgconfig/korrgeomcore.pc DESTINATION ${KORRGEOM_PKGCONFIG_DIR})
if(TARGET KorrGeomCoreExchange)
  configure_file(cmake/korrgeomcore-exchange.pc.in ${PROJECT_BINARY_DIR}/pkgconfig/korrgeomcore-exchange.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/pkgconfig/korrgeomcore-exchange.pc DESTINATION ${KORRGEOM_PKGCONFIG_DIR})
endif()
