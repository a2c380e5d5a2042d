# Writes PageTemplate.cpp from page.html and player.js (run by the build).
# The script plays numbers laid out by motion/PackedMotion.h: each
# @kName@ in it becomes that header's constexpr std::size_t kName, so that
# the two cannot disagree.
file(READ ${SOURCE_DIR}/page.html PAGE_MARKUP)
file(READ ${SOURCE_DIR}/player.js PAGE_SCRIPT)
file(STRINGS ${LAYOUT_HEADER} LAYOUT REGEX "^constexpr std::size_t k[A-Za-z]+ = [0-9]+;")
foreach(line IN LISTS LAYOUT)
  string(REGEX REPLACE "^constexpr std::size_t (k[A-Za-z]+) = ([0-9]+);.*" "\\1;\\2" pair "${line}")
  list(GET pair 0 name)
  list(GET pair 1 value)
  string(REPLACE "@${name}@" "${value}" PAGE_SCRIPT "${PAGE_SCRIPT}")
endforeach()
string(REGEX MATCH "@k[A-Za-z]+@" unknown "${PAGE_SCRIPT}")
if(unknown)
  message(FATAL_ERROR "player.js uses ${unknown}, which ${LAYOUT_HEADER} does not define")
endif()
configure_file(${SOURCE_DIR}/PageTemplate.cpp.in ${OUTPUT} @ONLY)
