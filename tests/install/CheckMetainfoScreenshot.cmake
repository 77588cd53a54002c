# Writes the metainfo as a build with a published screenshot would, and has AppStream check it
# offline; an address that is not a web address must stop the build instead.
#   cmake -DBUILD_DIR= -DAPP_ID= -P CheckMetainfoScreenshot.cmake
cmake_minimum_required(VERSION 3.25)
get_filename_component(source_dir ${CMAKE_CURRENT_LIST_DIR}/../.. ABSOLUTE)
include(${source_dir}/packaging/Metainfo.cmake)
set(template ${source_dir}/packaging/${APP_ID}.metainfo.xml.in)
set(output ${BUILD_DIR}/tests/install/screenshot/${APP_ID}.metainfo.xml)

# Run again by itself below with an address to try: it only writes.
if(DEFINED TRY_URL)
  mortgage_write_metainfo(${template} ${output} "${TRY_URL}")
  return()
endif()

set(url "https://example.org/loans/screenshot.png?size=full&format=png")
mortgage_write_metainfo(${template} ${output} "${url}")
file(READ ${output} text)
set(image "<image type=\"source\">https://example.org/loans/screenshot.png?size=full&amp;format=png</image>")
string(FIND "${text}" "${image}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "The screenshot's address is not in the metainfo:\n${text}")
endif()
execute_process(COMMAND appstreamcli validate --no-net --strict ${output}
                RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "AppStream refuses the metainfo with a screenshot (${result}):\n${report}")
endif()

foreach(refused "file:///usr/share/doc/screenshot.png" "docs/screenshot.png" "https://")
  execute_process(COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${BUILD_DIR} -DAPP_ID=${APP_ID}
                          "-DTRY_URL=${refused}" -P ${CMAKE_CURRENT_LIST_FILE}
                  RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
  if(result EQUAL 0)
    message(FATAL_ERROR "\"${refused}\" was taken as the screenshot's web address")
  endif()
endforeach()
