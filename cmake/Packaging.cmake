# Installs the library, its public headers and a CMake package so that a host
# writes find_package(KorrGeomCore CONFIG REQUIRED) and links
# KorrGeomCore::KorrGeomCore; with COMPONENTS Exchange also
# KorrGeomCore::Exchange (STEP and IGES; its worker program is installed
# beside its build rules, in src/FileFormats).
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
write_basic_package_version_file(${PROJECT_BINARY_DIR}/KorrGeomCoreConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/KorrGeomCoreConfig.cmake ${PROJECT_BINARY_DIR}/KorrGeomCoreConfigVersion.cmake
  DESTINATION ${KORRGEOM_CMAKE_DIR})
