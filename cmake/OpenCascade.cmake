# Finds the kernel and the one header Debian leaves out of its modelling
# packages (see scripts/setup).

# No version here: the kernel's config file asks for an exact version match.
find_package(OpenCASCADE CONFIG REQUIRED)
if(OpenCASCADE_VERSION VERSION_LESS 7.6)
  message(FATAL_ERROR "KorrGeomCore needs Open CASCADE 7.6 or newer, found ${OpenCASCADE_VERSION}")
endif()

find_path(KORRGEOM_OCCT_COMPAT_DIR NCollection_AliasedArray.hxx
  PATHS ${OpenCASCADE_INCLUDE_DIR} ${PROJECT_SOURCE_DIR}/third_party/occt-compat
  NO_DEFAULT_PATH)
if(NOT KORRGEOM_OCCT_COMPAT_DIR)
  message(FATAL_ERROR "NCollection_AliasedArray.hxx not found: run scripts/setup first")
endif()
