# SPDX-License-Identifier: MIT
# The HID chips, report in and reports out over any I2cBus, apart from how the reports travel:
# the kernel rig carries them over USB, the HID transport's tests hand them in (tests/bridge/),
# on every system.
add_library(torvix_hid_chips STATIC ${CMAKE_CURRENT_LIST_DIR}/mcp2221_chip.cpp
            ${CMAKE_CURRENT_LIST_DIR}/cp2112_chip.cpp)
target_link_libraries(torvix_hid_chips PUBLIC torvix_board)
torvix_include_root(torvix_hid_chips tests)
torvix_warnings(torvix_hid_chips)
