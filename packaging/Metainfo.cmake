# Writes the AppStream metainfo from its template. AppStream takes a screenshot only by a web
# address, and the README's picture is not published anywhere yet, so the screenshot goes into
# the file only when its address is given.
function(mortgage_write_metainfo template output screenshot_url)
  set(MORTGAGE_METAINFO_SCREENSHOTS "")
  if(screenshot_url)
    if(NOT screenshot_url MATCHES "^https?://[^/]+/")
      message(FATAL_ERROR "The screenshot's address must be an http(s) URL: ${screenshot_url}")
    endif()
    string(REPLACE "&" "&amp;" escaped_url "${screenshot_url}")
    string(CONCAT MORTGAGE_METAINFO_SCREENSHOTS
      "  <screenshots>\n"
      "    <screenshot type=\"default\">\n"
      "      <caption>A 30-year monthly loan of 100000 at 6 percent, calculated</caption>\n"
      "      <image type=\"source\">${escaped_url}</image>\n"
      "    </screenshot>\n"
      "  </screenshots>\n")
  endif()
  configure_file(${template} ${output} @ONLY)
endfunction()
