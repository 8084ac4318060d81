# VELMORA_SANITIZE: sanitizers compiled into every target, "address;undefined" or
# "thread" (the two cannot be combined). Empty: none.
set(VELMORA_SANITIZE "" CACHE STRING "Sanitizers for every target: address;undefined, or thread")

if(VELMORA_SANITIZE)
  foreach(s IN LISTS VELMORA_SANITIZE)
    if(NOT s MATCHES "^(address|undefined|thread)$")
      message(FATAL_ERROR "VELMORA_SANITIZE: '${s}' is not one of address, undefined, thread")
    endif()
  endforeach()
  if("thread" IN_LIST VELMORA_SANITIZE AND "address" IN_LIST VELMORA_SANITIZE)
    message(FATAL_ERROR "VELMORA_SANITIZE: thread cannot be combined with address")
  endif()
  string(REPLACE ";" "," VELMORA_SANITIZE_FLAGS "${VELMORA_SANITIZE}")
  # Every finding fails the test that makes it.
  add_compile_options(-fsanitize=${VELMORA_SANITIZE_FLAGS} -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${VELMORA_SANITIZE_FLAGS})
  message(STATUS "Sanitizers: ${VELMORA_SANITIZE_FLAGS}")
endif()
