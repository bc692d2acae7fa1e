# Writes OUTPUT: page.html with its markers replaced: @STYLES@ by page.css,
# each @SCRIPT name.js@ by that script of the page's folder, and
# @MODULE_SCRIPT@ by the module's script (MODULE_JS). A script is inlined
# into a <script> element, so none may contain "</script".
file(READ ${PAGE_DIR}/page.html html)
file(READ ${PAGE_DIR}/page.css css)
file(READ ${MODULE_JS} module_js)

foreach(marker STYLES MODULE_SCRIPT)
  string(FIND "${html}" "@${marker}@" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "page.html lacks the marker @${marker}@")
  endif()
endforeach()

function(check_inlinable name text)
  string(FIND "${text}" "</script" closing)
  if(NOT closing EQUAL -1)
    message(FATAL_ERROR "${name} contains </script and cannot be inlined")
  endif()
endfunction()

check_inlinable(module_js "${module_js}")
string(REGEX MATCHALL "@SCRIPT [a-z_]+\\.js@" markers "${html}")
if(NOT markers)
  message(FATAL_ERROR "page.html names no script (@SCRIPT name.js@)")
endif()
# The page's scripts first, the styles and the module last, so that no text
# put in is read for markers.
foreach(marker ${markers})
  string(REGEX REPLACE "^@SCRIPT ([a-z_]+\\.js)@$" "\\1" name "${marker}")
  file(READ ${PAGE_DIR}/${name} script)
  check_inlinable(${name} "${script}")
  string(REPLACE "${marker}" "${script}" html "${html}")
endforeach()
string(REPLACE "@STYLES@" "${css}" html "${html}")
string(REPLACE "@MODULE_SCRIPT@" "${module_js}" html "${html}")
file(WRITE ${OUTPUT}.tmp "${html}")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
