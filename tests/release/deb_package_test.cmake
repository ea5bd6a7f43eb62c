# SPDX-License-Identifier: MIT
# cmake -DBUILD_DIR=... -DWORK_DIR=... -DVERSION=x.y.z -DPACKAGES="lib;dev;tool;window"
#       -DMULTIARCH=x86_64-linux-gnu -DLIBRARY_VERSION=a.b.c -DCONSUMER=quorlink_consumer.sh
#       -DCC=cc -DPROBE=version_probe.c [-DCFLAGS=...] -P deb_package_test.cmake
# Packs the build into its four Debian packages (PACKAGES: the library's, its development
# files', the tool's and the window's) and checks them as dpkg and their users see them:
# names, Depends on the library at exactly this version, where the files lie, the control
# files (the library's ldconfig trigger, torvix's postinst, no other script); the programs
# carry no run path, find the library in a folder the loader searches of itself, and run from
# the unpacked packages; a C program builds against the development package with pkg-config
# and with CMake. The packages stay in WORK_DIR for lintian.
include(${CMAKE_CURRENT_LIST_DIR}/package_steps.cmake)
pack(DEB)
list(GET PACKAGES 0 library)
list(GET PACKAGES 1 development)
list(GET PACKAGES 2 tool)
list(GET PACKAGES 3 window)
set(exact "${library} \\(= ${VERSION}\\)")
set(libdir usr/lib/${MULTIARCH})

set(depends_${library} "libc6 ")
set(files_${library} ${libdir}/libquorlink.so.3)
set(control_${library} control md5sums shlibs triggers)
set(depends_${development} "^${exact}\n$")
set(files_${development} usr/include/quorlink.h ${libdir}/libquorlink.so
    ${libdir}/pkgconfig/quorlink.pc ${libdir}/cmake/Quorlink/QuorlinkConfig.cmake)
set(control_${development} control md5sums)
set(depends_${tool} "^${exact}, .*libc6 ")
set(files_${tool} usr/bin/torvix usr/bin/zembrel-sim usr/lib/udev/rules.d/60-torvix-i2c.rules
    usr/share/man/man1/torvix.1.gz usr/share/man/man1/zembrel-sim.1.gz
    usr/share/bash-completion/completions/torvix)
set(control_${tool} control md5sums postinst)
set(depends_${window} "^${exact}, .*libqt6widgets6")
set(files_${window} usr/bin/Torvix_Controller usr/share/applications/torvix-controller.desktop
    usr/share/icons/hicolor/scalable/apps/torvix-controller.svg
    usr/share/man/man1/Torvix_Controller.1.gz usr/share/doc/${window}/user-guide.md)
set(control_${window} control md5sums)

file(GLOB made RELATIVE ${WORK_DIR} ${WORK_DIR}/*.deb)
list(LENGTH made count)
if(NOT count EQUAL 4)
  message(FATAL_ERROR "cpack made ${count} packages, not the four ${PACKAGES}: ${made}")
endif()
set(root ${WORK_DIR}/root)
foreach(package IN LISTS PACKAGES)
  file(GLOB deb ${WORK_DIR}/${package}_${VERSION}_*.deb)
  if(NOT deb)
    message(FATAL_ERROR "no ${package}_${VERSION}_*.deb among ${made}")
  endif()
  run(dpkg-deb -f ${deb} Depends)
  expect("${out}" "${depends_${package}}" "${package}'s Depends")
  run(dpkg-deb -c ${deb})
  foreach(file IN LISTS files_${package} ITEMS usr/share/doc/${package}/copyright
                                                usr/share/doc/${package}/changelog.gz)
    expect("${out}" " \\./${file}( -> [^\n]*)?\n" "${package}'s files")
  endforeach()
  run(dpkg-deb -I ${deb})
  string(REGEX MATCHALL "lines +[* ]*[a-z0-9]+" members "${out}")
  list(TRANSFORM members REPLACE "^lines +[* ]*" "")
  list(SORT members)
  if(NOT members STREQUAL control_${package})
    message(FATAL_ERROR "${package}'s control files are '${members}', not '${control_${package}}'")
  endif()
  run(dpkg-deb -x ${deb} ${root})
endforeach()
# Each picture and link of an installed guide names a file that a package puts beside it.
file(GLOB guides ${root}/usr/share/doc/*/*.md)
foreach(guide IN LISTS guides)
  file(READ ${guide} text)
  get_filename_component(folder ${guide} DIRECTORY)
  string(REPLACE "]" ">" text "${text}")  # a bracket would hold a CMake list together
  string(REGEX MATCHALL ">\\([^)# ]+\\)" links "${text}")
  foreach(link IN LISTS links)
    string(REGEX REPLACE "^>\\((.*)\\)$" "\\1" target "${link}")
    if(NOT "${target}" MATCHES "^[a-z]+:" AND NOT EXISTS "${folder}/${target}")
      message(FATAL_ERROR "${guide} links ${target}, which no package puts beside it")
    endif()
  endforeach()
endforeach()
run(gzip -dc ${root}/usr/share/doc/${tool}/changelog.gz)
expect("${out}" "^torvix \\(${VERSION}\\) " "the Debian changelog's newest entry")

# The programs: no run path, the library by its soname in a folder of the loader's own, which
# is then told to look there in the unpacked packages (installed, it looks there anyway).
set(bin ${root}/usr/bin)
run(readelf -l ${bin}/torvix)
string(REGEX MATCH "program interpreter: ([^]\n]+)\\]" loader "${out}")
set(loader ${CMAKE_MATCH_1})
run(${loader} --help)
expect("${out}" "\n +/${libdir} \\(system search path\\)" "the loader's own folders")
foreach(program torvix Torvix_Controller)
  run(readelf -d ${bin}/${program})
  expect("${out}" "NEEDED[^\n]*\\[libquorlink\\.so\\.3\\]" "${program}'s libraries")
  if(out MATCHES "RPATH|RUNPATH")
    message(FATAL_ERROR "${program} carries a run path:\n${out}")
  endif()
endforeach()
set(run_unpacked ${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH --unset=QUORLINK_DEVICE
                 ${loader} --library-path ${root}/${libdir})
run(${run_unpacked} ${bin}/torvix --device sim settings)
expect("${out}" "16 Contrast +0x57 = 0x" "torvix --device sim settings")
run(${run_unpacked} ${bin}/zembrel-sim --help)
expect("${out}" "Usage: zembrel-sim" "zembrel-sim --help")
foreach(program torvix zembrel-sim Torvix_Controller)
  run(${run_unpacked} ${bin}/${program} --version)
  expect("${out}" "^${program} ${VERSION}\n$" "${program} --version")
  run(${run_unpacked} ${bin}/${program} --help)
endforeach()

# A program of the user's own, built against the development package as unpacked.
run(${CMAKE_COMMAND} -E env PKG_CONFIG_LIBDIR=${root}/${libdir}/pkgconfig
    PKG_CONFIG_SYSROOT_DIR=${root} CMAKE_PREFIX_PATH=${root}/usr QUORLINK_DEVICE=sim
    ${CONSUMER} ${WORK_DIR}/consumer ${CC} ${PROBE} "${CFLAGS}")
expect("${out}" "^${LIBRARY_VERSION}\n${LIBRARY_VERSION}\n$" "the probe's GetVersions")
file(REMOVE_RECURSE ${root} ${WORK_DIR}/consumer)
