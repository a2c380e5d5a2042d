# Warnings are errors everywhere; sanitizers are switched on for the whole tree
# so that the host, the modules and the tests share one runtime.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                    -Woverloaded-virtual -Wconversion -Werror)

if(ZNSIM_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Modules are plain shared objects under the host's own file names.
function(znsim_module target output_name)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${output_name}
    SUFFIX ".dbx"
    NO_SONAME OFF)
endfunction()
