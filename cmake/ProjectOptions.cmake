# Warnings for every target of the project. -Wconversion catches a double silently narrowed
# to a float, the slip that would change where a value is rounded.
function(vd_configure_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wconversion -Wshadow)
endfunction()
