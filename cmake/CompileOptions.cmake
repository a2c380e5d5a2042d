# Warnings are errors everywhere; sanitizers are switched on for the whole tree
# so that the host, the modules and the tests share one runtime.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                    -Woverloaded-virtual -Wconversion -Werror)

if(ZNSIM_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
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
