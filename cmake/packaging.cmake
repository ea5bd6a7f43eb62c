# SPDX-License-Identifier: MIT
# The release packages, made by `cpack` in the build folder: on Linux four Debian packages
# (cmake/packaging_debian.cmake), for Windows a zip and an installer per architecture
# (cmake/packaging_windows.cmake).
set(CPACK_PACKAGE_NAME torvix)
set(CPACK_PACKAGE_VENDOR "Torvix Controller")
set(CPACK_PACKAGE_CONTACT "Torvix Controller maintainers <maintainers@torvix.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_STRIP_FILES ON)

if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  include(${CMAKE_CURRENT_LIST_DIR}/packaging_debian.cmake)
elseif(WIN32)
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "adjust an analog video camera's DSP settings over I2C")
  include(${CMAKE_CURRENT_LIST_DIR}/packaging_windows.cmake)
endif()

include(CPack)
