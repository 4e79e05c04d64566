# Warnings for every target of the project. -Wconversion catches a double silently narrowed
# to a float, the slip that would change where a value is rounded.
#
# Outside the edge finder and its steps, -Wdouble-promotion and -Wfloat-equal catch a float
# widened without a word and a comparison of computed values that may never be equal: there
# a float meets a double only where someone meant it (a cast says so), and an exact
# comparison is written as one (geometry::exactlyEqual). In geometry/ and steps/ the mixture
# of float and double is the arithmetic itself, rounded where the method rounds, and its
# exact comparisons are its tests; those targets pass LITERAL_ARITHMETIC. -Wdouble-promotion is
# gcc's: arithmetic that widens a float, and a float passed to a variadic function. clang's
# flag of that name also counts every float handed to a double parameter, which is how the
# pictures take positions and is no rounding at all, so clang builds (WebAssembly, fuzzing)
# leave it to gcc's.
function(vd_configure_target target)
  cmake_parse_arguments(ARG "LITERAL_ARITHMETIC" "" "" ${ARGN})
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wconversion -Wshadow)
  if(NOT ARG_LITERAL_ARITHMETIC)
    target_compile_options(${target} PRIVATE -Wfloat-equal)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      target_compile_options(${target} PRIVATE -Wdouble-promotion)
    endif()
  endif()
endfunction()
