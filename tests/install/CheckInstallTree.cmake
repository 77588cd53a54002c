# Installs the build into an empty prefix and checks that exactly the files a desktop needs land
# there, and that they name each other: the launcher runs the installed program and shows an
# installed icon, the metainfo points at the launcher, the loan file type at the icon.
#   cmake -DBUILD_DIR= -DPREFIX= -DAPP_ID= -DBINDIR= -DDATADIR= -DMANDIR= -DICON_SIZES=
#         -P CheckInstallTree.cmake
cmake_minimum_required(VERSION 3.25)
set(failures "")
function(fail message)
  set(failures "${failures}\n  ${message}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${result}):\n${errors}")
endif()

set(icons ${DATADIR}/icons/hicolor)
set(expected
    ${BINDIR}/mortgage-calculator
    ${DATADIR}/applications/${APP_ID}.desktop
    ${DATADIR}/metainfo/${APP_ID}.metainfo.xml
    ${DATADIR}/mime/packages/${APP_ID}.xml
    ${icons}/scalable/apps/${APP_ID}.svg
    ${DATADIR}/doc/mortgage-calculator/copyright
    ${DATADIR}/doc/mortgage-calculator/changelog.gz
    ${MANDIR}/man1/mortgage-calculator.1.gz)
foreach(size IN LISTS ICON_SIZES)
  list(APPEND expected ${icons}/${size}x${size}/apps/${APP_ID}.png)
endforeach()

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${PREFIX} ${PREFIX}/*)
set(missing ${expected})
if(installed)
  list(REMOVE_ITEM missing ${installed})
endif()
set(unexpected ${installed})
list(REMOVE_ITEM unexpected ${expected})
foreach(path IN LISTS missing)
  fail("missing: ${path}")
endforeach()
foreach(path IN LISTS unexpected)
  fail("not expected: ${path}")
endforeach()

# The program is a Linux executable, not a script or an empty file.
set(program ${PREFIX}/${BINDIR}/mortgage-calculator)
if(EXISTS ${program})
  file(READ ${program} magic LIMIT 4 HEX)
  if(NOT magic STREQUAL "7f454c46")
    fail("${BINDIR}/mortgage-calculator is not an ELF executable")
  endif()
endif()

# Each PNG is a PNG of the size its folder promises (width and height follow the signature).
foreach(size IN LISTS ICON_SIZES)
  set(png ${PREFIX}/${icons}/${size}x${size}/apps/${APP_ID}.png)
  if(NOT EXISTS ${png})
    continue()
  endif()
  file(READ ${png} header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 0 16 signature)
  string(SUBSTRING "${header}" 32 8 width_hex)
  string(SUBSTRING "${header}" 40 8 height_hex)
  math(EXPR width "0x${width_hex}")
  math(EXPR height "0x${height_hex}")
  if(NOT signature STREQUAL "89504e470d0a1a0a")
    fail("${size}x${size} icon is not a PNG")
  elseif(NOT width EQUAL size OR NOT height EQUAL size)
    fail("${size}x${size} icon is ${width}x${height}")
  endif()
endforeach()

function(read_key file key out)
  set(value "")
  if(EXISTS ${file})
    file(STRINGS ${file} lines REGEX "^${key}=")
    if(lines)
      list(GET lines 0 line)
      string(REGEX REPLACE "^${key}=" "" value "${line}")
    endif()
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

set(desktop ${PREFIX}/${DATADIR}/applications/${APP_ID}.desktop)
read_key(${desktop} Exec exec)
read_key(${desktop} TryExec try_exec)
read_key(${desktop} Icon icon)
read_key(${desktop} Categories categories)
# The program takes no arguments, so the launcher passes none, not even a file.
if(NOT exec STREQUAL "mortgage-calculator" OR NOT EXISTS ${PREFIX}/${BINDIR}/${exec})
  fail("Exec=${exec} is not the installed program alone")
endif()
if(NOT try_exec STREQUAL exec)
  fail("TryExec=${try_exec} differs from Exec=${exec}")
endif()
if(NOT icon STREQUAL APP_ID OR NOT EXISTS ${PREFIX}/${icons}/scalable/apps/${icon}.svg)
  fail("Icon=${icon} is not the installed icon ${APP_ID}")
endif()
if(NOT categories MATCHES "(^|;)Office;" OR NOT categories MATCHES "(^|;)Finance;")
  fail("Categories=${categories} lacks Office or Finance")
endif()

set(metainfo ${PREFIX}/${DATADIR}/metainfo/${APP_ID}.metainfo.xml)
if(EXISTS ${metainfo})
  file(READ ${metainfo} text)
  foreach(element "<id>${APP_ID}</id>"
                  "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>"
                  "<binary>mortgage-calculator</binary>" "<summary>" "<description>")
    string(FIND "${text}" "${element}" at)
    if(at EQUAL -1)
      fail("metainfo lacks ${element}")
    endif()
  endforeach()
endif()

set(mime ${PREFIX}/${DATADIR}/mime/packages/${APP_ID}.xml)
if(EXISTS ${mime})
  file(READ ${mime} text)
  string(FIND "${text}" "<icon name=\"${APP_ID}\"/>" at)
  if(at EQUAL -1)
    fail("the loan file type does not show the application icon")
  endif()
endif()

if(failures)
  message(FATAL_ERROR "The install into ${PREFIX} is not right:${failures}")
endif()
list(LENGTH expected count)
message(STATUS "${count} files installed, each in its place")
