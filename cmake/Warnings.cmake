# Warnings for the project's own targets.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor -Woverloaded-virtual)
if(RAVO_WERROR)
  add_compile_options(-Werror)
endif()
