# Builds a MIME database from the installed loan file type alone, as a desktop does after an
# install, and checks that a *.tsl file is a "Tessary Loan", a kind of plain text with our icon.
#   cmake -DPREFIX= -DAPP_ID= -DDATADIR= -P CheckMimeType.cmake
cmake_minimum_required(VERSION 3.25)
set(type application/x-tessary-loan)
set(data_dir ${PREFIX}-mime)
set(database ${data_dir}/mime)
file(REMOVE_RECURSE ${data_dir})
file(COPY ${PREFIX}/${DATADIR}/mime/packages/${APP_ID}.xml DESTINATION ${database}/packages)

# The tool only warns about a malformed file and goes on, so anything it says is a failure.
execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_DIRS=${data_dir} XDG_DATA_HOME=${data_dir}
                        update-mime-database ${database}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR output OR errors)
  message(FATAL_ERROR "update-mime-database (${result}) refused the loan file type:\n"
                      "${output}${errors}")
endif()

set(failures "")
function(expect_line file line)
  file(STRINGS ${database}/${file} lines)
  list(FIND lines "${line}" at)
  if(at EQUAL -1)
    set(failures "${failures}\n  ${file} lacks \"${line}\"" PARENT_SCOPE)
  endif()
endfunction()
expect_line(globs "${type}:*.tsl")
expect_line(subclasses "${type} text/plain")
expect_line(icons "${type}:${APP_ID}")
expect_line(generic-icons "${type}:x-office-document")
expect_line(types "${type}")

file(READ ${database}/${type}.xml described)
if(NOT described MATCHES "<comment>Tessary Loan</comment>")
  string(APPEND failures "\n  the type's name is not \"Tessary Loan\"")
endif()
if(failures)
  message(FATAL_ERROR "The loan file type is not registered right:${failures}")
endif()
