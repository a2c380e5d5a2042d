# Writes PageTemplate.cpp from page.html and player.js (run by the build).
file(READ ${SOURCE_DIR}/page.html PAGE_MARKUP)
file(READ ${SOURCE_DIR}/player.js PAGE_SCRIPT)
configure_file(${SOURCE_DIR}/PageTemplate.cpp.in ${OUTPUT} @ONLY)
