# SPDX-License-Identifier: MIT
# The i686 build's HID transport under 32-bit wine: the chips' protocols and the Windows HID
# access, whose structures (the interface detail's, the overlapped request's) differ in size and
# alignment from the x86-64 build's.
add_executable(quorlink_hid_tests ${CMAKE_CURRENT_LIST_DIR}/hid_chip_bus_test.cpp
               ${CMAKE_CURRENT_LIST_DIR}/win32_hid_test.cpp)
target_link_libraries(quorlink_hid_tests PRIVATE quorlink_static torvix_sim torvix_hid_chips
                      GTest::gtest_main)
torvix_include_root(quorlink_hid_tests tests)
torvix_warnings(quorlink_hid_tests)
add_test(NAME quorlink_hid_tests COMMAND ${TORVIX_WINE} $<TARGET_FILE:quorlink_hid_tests>)
set_tests_properties(quorlink_hid_tests PROPERTIES
  FIXTURES_REQUIRED wine ENVIRONMENT "${TORVIX_WINE_ENVIRONMENT}")
