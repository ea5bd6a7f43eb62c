# SPDX-License-Identifier: MIT
# The HID transport (QUORLINK_DEVICE=hid:...). Its row, the choice among the devices and each
# system's HID access go to quorlink_devices, as torvix buses and the camera lock ask them too;
# the chips' protocols and the opening go to the library alone (QUORLINK_SOURCES).
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" OR WIN32)
  target_sources(quorlink_devices PRIVATE hid/hid_bridge_chips.cpp hid/hid_row.cpp)
  list(APPEND QUORLINK_SOURCES
    hid/cp2112_bus.cpp
    hid/hid_chip_bus.cpp
    hid/hid_transport.cpp
    hid/mcp2221_bus.cpp)
endif()
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  target_sources(quorlink_devices PRIVATE hid/hidraw_access.cpp hid/hidraw_devices.cpp)
elseif(WIN32)
  target_sources(quorlink_devices PRIVATE hid/win32_hid_access.cpp hid/win32_hid_api.cpp
                 hid/win32_hid_devices.cpp)
  target_link_libraries(quorlink_devices PUBLIC hid setupapi)
endif()
