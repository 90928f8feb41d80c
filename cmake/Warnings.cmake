# Our own code builds with warnings on and must build without any; the test command
# turns them into errors (VORLIX_WERROR) so none slips in.
option(VORLIX_WERROR "Treat warnings in our code as errors" OFF)
function(vorlix_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wshadow=local)
  endif()
  if(VORLIX_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
