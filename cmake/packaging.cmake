# The release packages, made by `cpack` in the build folder: on Linux one Debian package
# (torvix_<version>_<arch>.deb) with the three programs, the library and everything installed
# beside them; for Windows a zip (torvix-<version>-windows.zip).
set(CPACK_PACKAGE_NAME torvix)
set(CPACK_PACKAGE_VENDOR "Torvix Controller")
set(CPACK_PACKAGE_CONTACT "Torvix Controller maintainers <maintainers@torvix.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "adjust an analog video camera's DSP settings over I2C")
set(CPACK_PACKAGE_DESCRIPTION
    "Torvix_Controller is a window with every DSP setting of an analog (PAL/NTSC)
video camera reached over I2C through a USB-to-I2C adapter board; torvix does
the same from scripts (settings, dumps, profiles, address search); zembrel-sim
is a virtual board and camera to try them without hardware. The package carries
the Quorlink bridge library with its header, pkg-config file and CMake package,
and a udev rule for the i2c-dev buses.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_STRIP_FILES ON)

if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://torvix.invalid/")
  # Depends is what the ELF files need, as dpkg-shlibdeps finds it; the programs reach the
  # library in the package through their $ORIGIN run path.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
  # The udev rule works once the i2c group exists and udev has read it again; the library
  # is made known to the loader through dpkg's ldconfig trigger.
  set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/cmake/debian/postinst
                                         ${PROJECT_SOURCE_DIR}/cmake/debian/triggers)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
elseif(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/packaging_windows.cmake)
endif()

include(CPack)
