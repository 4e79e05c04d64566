# Warnings for every target of the project. -Wconversion catches a double silently narrowed
# to a float, the slip that would change where a value is rounded.
#
# Outside the edge finder and its steps, -Wdouble-promotion and -Wfloat-equal catch a float
# widened without a word and a comparison of computed values that may never be equal: there
# a float meets a double only where someone meant it (a cast says so), and an exact
# comparison is written as one (geometry::exactlyEqual). In geometry/ and steps/ the mixture
# of float and double is the arithmetic itself, rounded where the method rounds, and its
# exact comparisons are its tests; those targets pass LITERAL_ARITHMETIC.
function(vd_configure_target target)
  cmake_parse_arguments(ARG "LITERAL_ARITHMETIC" "" "" ${ARGN})
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wconversion -Wshadow)
  if(NOT ARG_LITERAL_ARITHMETIC)
    target_compile_options(${target} PRIVATE -Wdouble-promotion -Wfloat-equal)
  endif()
endfunction()
