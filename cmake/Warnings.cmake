# Our own code builds with warnings on and must build without any.
function(vorlix_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow=local -Wno-unused-parameter)
endfunction()
