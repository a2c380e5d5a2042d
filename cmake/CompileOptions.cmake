# Warnings are errors everywhere; sanitizers are switched on for the whole tree
# so that the host, the modules and the tests share one runtime.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                    -Woverloaded-virtual -Wconversion -Werror)

if(ZNSIM_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz targets: coverage feedback for libFuzzer in every library, under
# the same sanitizers. The sanitizer runtime is shared, so that the host, the
# modules (linked with --no-undefined) and the fuzzer resolve to one copy.
if(ZNSIM_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "ZNSIM_FUZZ needs clang (the fuzz preset chooses it)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -shared-libsan)
  # The shared runtime lies in the compiler's own folder, which the loader
  # does not search.
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libclang_rt.asan-x86_64.so
                  OUTPUT_VARIABLE ZNSIM_ASAN_RUNTIME OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(ZNSIM_ASAN_RUNTIME_DIR ${ZNSIM_ASAN_RUNTIME} DIRECTORY)
  # The runtime must also come first among a program's libraries, and the
  # fuzzer's link names the C++ library ahead of it: fuzz/run preloads it.
  add_link_options(-Wl,-rpath,${ZNSIM_ASAN_RUNTIME_DIR})
endif()

# Modules are plain shared objects under the host's own file names. A
# module's own calls bind to its own functions, never to a same-named one of
# another module (every module exports acrxEntryPoint). Only functions: data
# such as a class descriptor must stay one object that a program linking the
# module shares (executables take copies of the data they use). And a module
# links only when all it calls is there: what it reaches in a module it does
# not link, it must bind at run time.
function(znsim_module target output_name)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${output_name}
    SUFFIX ".dbx"
    NO_SONAME OFF)
  target_link_options(${target} PRIVATE -Wl,-Bsymbolic-functions -Wl,--no-undefined)
endfunction()
