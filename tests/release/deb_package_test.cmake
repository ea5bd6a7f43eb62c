# cmake -DBUILD_DIR=... -DWORK_DIR=... -DVERSION=x.y.z -P deb_package_test.cmake
# Packs the build into its .deb, unpacks it with dpkg-deb -x into a scratch root and runs the
# programs from there, as the package's users will from /usr. The programs must find the
# unpacked library through their own run path: no LD_LIBRARY_PATH is set.
include(${CMAKE_CURRENT_LIST_DIR}/package_steps.cmake)
pack(DEB)
file(GLOB deb ${WORK_DIR}/torvix_${VERSION}_*.deb)
list(LENGTH deb count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one torvix_${VERSION}_*.deb in ${WORK_DIR}, found '${deb}'")
endif()

run(dpkg-deb -f ${deb} Depends)
expect("${out}" "libc6" "Depends")
expect("${out}" "libqt6widgets6" "Depends")

set(root ${WORK_DIR}/root)
run(dpkg-deb -x ${deb} ${root})
foreach(file usr/bin/Torvix_Controller usr/bin/torvix usr/bin/zembrel-sim
             usr/lib/libquorlink.so.3 usr/lib/libquorlink.so usr/include/quorlink.h
             usr/lib/pkgconfig/quorlink.pc usr/lib/cmake/Quorlink/QuorlinkConfig.cmake
             usr/share/applications/torvix-controller.desktop
             usr/share/icons/hicolor/scalable/apps/torvix-controller.svg
             usr/lib/udev/rules.d/60-torvix-i2c.rules usr/share/man/man1/torvix.1.gz
             usr/share/man/man1/zembrel-sim.1.gz usr/share/man/man1/Torvix_Controller.1.gz
             usr/share/doc/torvix/user-guide.md)
  if(NOT EXISTS ${root}/${file})
    message(FATAL_ERROR "the package lacks /${file}")
  endif()
endforeach()

set(bin ${root}/usr/bin)
set(clean_env ${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH --unset=QUORLINK_DEVICE)
run(ldd ${bin}/torvix)
expect("${out}" "libquorlink\\.so\\.3 => ${root}/usr/bin/\\.\\./lib/libquorlink\\.so\\.3"
       "torvix must load the library beside it")
run(${clean_env} ${bin}/torvix --device sim settings)
expect("${out}" "16 Contrast +0x57 = 0x" "torvix --device sim settings")
run(${clean_env} ${bin}/zembrel-sim --help)
expect("${out}" "Usage: zembrel-sim" "zembrel-sim --help")
foreach(program torvix zembrel-sim Torvix_Controller)
  run(${clean_env} ${bin}/${program} --version)
  expect("${out}" "^${program} ${VERSION}\n$" "${program} --version")
  run(${clean_env} ${bin}/${program} --help)
endforeach()
file(REMOVE_RECURSE ${WORK_DIR})
