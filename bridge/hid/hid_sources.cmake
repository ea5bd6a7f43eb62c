# SPDX-License-Identifier: MIT
# The HID transport (QUORLINK_DEVICE=hid:...): the chips' protocols, shared, and each system's
# HID access behind them. Adds to QUORLINK_SOURCES, and to QUORLINK_SYSTEM_LIBS what the system's
# access links.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" OR WIN32)
  list(APPEND QUORLINK_SOURCES
    hid/cp2112_bus.cpp
    hid/hid_bridge_chips.cpp
    hid/hid_chip_bus.cpp
    hid/hid_transport.cpp
    hid/mcp2221_bus.cpp)
endif()
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  list(APPEND QUORLINK_SOURCES hid/hidraw_access.cpp hid/hidraw_devices.cpp)
elseif(WIN32)
  list(APPEND QUORLINK_SOURCES hid/win32_hid_access.cpp hid/win32_hid_api.cpp
       hid/win32_hid_devices.cpp)
  list(APPEND QUORLINK_SYSTEM_LIBS hid setupapi)
endif()
