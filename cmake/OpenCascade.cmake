# Finds the kernel.

# No version here: the kernel's config file asks for an exact version match.
find_package(OpenCASCADE CONFIG REQUIRED)
if(OpenCASCADE_VERSION VERSION_LESS 7.6)
  message(FATAL_ERROR "KorrGeomCore needs Open CASCADE 7.6 or newer, found ${OpenCASCADE_VERSION}")
endif()

# The modelling headers include this one, which Debian ships with the kernel's
# visualisation headers (a dependency of its data exchange package).
if(NOT EXISTS ${OpenCASCADE_INCLUDE_DIR}/NCollection_AliasedArray.hxx)
  message(FATAL_ERROR "NCollection_AliasedArray.hxx not found: run scripts/setup first")
endif()
