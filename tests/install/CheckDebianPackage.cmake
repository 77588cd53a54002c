# Builds the .deb with CPack and checks it: it holds exactly what `cmake --install` puts down,
# under /usr, without debugging symbols, depends on the libraries the binary needs plus what it
# loads or names at run time, its changelog names its version, and lintian finds no fault.
#   cmake -DBUILD_DIR= -DPREFIX= -DVERSION= -P CheckDebianPackage.cmake
cmake_minimum_required(VERSION 3.25)
set(work ${BUILD_DIR}/tests/install/deb)
file(REMOVE_RECURSE ${work})
execute_process(COMMAND cpack -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${work}
                RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cpack failed (${result}):\n${report}")
endif()
file(GLOB packages ${work}/*.deb)
list(LENGTH packages count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "cpack made ${count} packages: ${packages}")
endif()
set(package ${packages})
get_filename_component(name ${package} NAME)
if(NOT name MATCHES "^mortgage-calculator_${VERSION}_[a-z0-9]+\\.deb$")
  message(FATAL_ERROR "The package is named ${name}")
endif()

set(failures "")
function(fail message)
  set(failures "${failures}\n  ${message}" PARENT_SCOPE)
endfunction()
function(control_field field out)
  execute_process(COMMAND dpkg-deb --field ${package} ${field} OUTPUT_VARIABLE value
                  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

control_field(Package package_name)
control_field(Version version)
control_field(Depends depends)
control_field(Recommends recommends)
if(NOT package_name STREQUAL "mortgage-calculator" OR NOT version STREQUAL VERSION)
  fail("the package is ${package_name} ${version}")
endif()
# The window and print libraries come from the binary; the xcb platform plugin lives in
# libqt6gui6; the SVG icon engine is loaded, never linked; the layout names Liberation Sans.
# Each relation without its version, so that "libc6 (>= 2.34)" reads as libc6.
string(REGEX REPLACE " \\([^)]*\\)" "" relations "${depends}")
string(REPLACE ", " ";" relations "${relations}")
foreach(dependency libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6
                   libqt6svg6 "fonts-liberation | fonts-liberation2")
  if(NOT dependency IN_LIST relations)
    fail("Depends lacks ${dependency}: ${depends}")
  endif()
endforeach()
if(NOT recommends STREQUAL "fonts-comic-neue")
  fail("Recommends is \"${recommends}\"")
endif()

# The same files as the install, moved under /usr.
execute_process(COMMAND dpkg-deb --contents ${package} OUTPUT_VARIABLE listing
                COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "\\./usr/[^\n]*[^/\n]\n" entries "${listing}")
set(packaged "")
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "^\\./usr/|\n$" "" path "${entry}")
  list(APPEND packaged ${path})
endforeach()
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT packaged)
list(SORT installed)
if(NOT packaged STREQUAL installed)
  fail("the package holds\n    ${packaged}\n  but the install is\n    ${installed}")
endif()

# A package carries the program, not its debugging symbols.
set(unpacked ${work}/unpacked)
execute_process(COMMAND dpkg-deb --extract ${package} ${unpacked} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND readelf --section-headers ${unpacked}/usr/bin/mortgage-calculator
                OUTPUT_VARIABLE sections COMMAND_ERROR_IS_FATAL ANY)
if(sections MATCHES "\\.debug_info")
  fail("usr/bin/mortgage-calculator still has its debugging symbols")
endif()

# A version raised without a changelog entry would ship the old one's notes.
execute_process(COMMAND gzip -dc ${unpacked}/usr/share/doc/mortgage-calculator/changelog.gz
                OUTPUT_VARIABLE changelog COMMAND_ERROR_IS_FATAL ANY)
if(NOT changelog MATCHES "^mortgage-calculator \\(${VERSION}\\) ")
  string(REGEX MATCH "^[^\n]*" first "${changelog}")
  fail("the changelog begins \"${first}\", not version ${VERSION}")
endif()

# Debian's own checks, errors and warnings alike (the build may run as root, as in CI).
execute_process(COMMAND lintian --allow-root --fail-on error,warning ${package}
                RESULT_VARIABLE result OUTPUT_VARIABLE findings ERROR_VARIABLE findings)
if(NOT result EQUAL 0)
  fail("lintian (${result}):\n${findings}")
endif()

if(failures)
  message(FATAL_ERROR "${name} is not right:${failures}")
endif()
file(SIZE ${package} bytes)
message(STATUS "${name}: ${bytes} bytes; Depends: ${depends}")
