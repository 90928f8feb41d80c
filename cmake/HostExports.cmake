# Programs that load player libraries export the eight host functions the libraries call
# back (vorlix/players/host_exports.h), and nothing else: a dynamic list instead of
# exporting every symbol of the program.
set(VORLIX_HOST_EXPORTS_LIST ${CMAKE_SOURCE_DIR}/vorlix/players/host_exports.list)

function(vorlix_host_exports target)
  target_link_options(${target} PRIVATE "LINKER:--dynamic-list=${VORLIX_HOST_EXPORTS_LIST}")
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${VORLIX_HOST_EXPORTS_LIST})
endfunction()
