# velmora_add_fuzzer(<name> SOURCES <files...> LIBS <libs...> CORPUS <folder>)
#
# A fuzz target defines LLVMFuzzerTestOneInput. Every build makes <name>_replay, which
# runs the target once over each file of its seeded corpus, and registers it as an
# ordinary test, so the seeds are checked with any compiler. With VELMORA_FUZZ=ON (clang
# only) it also makes <name>, the libFuzzer executable, run for example as
#   build-fuzz/.../<name> -max_total_time=60 <corpus folder>
# (tools/fuzz.sh configures such a build and runs every fuzzer).
option(VELMORA_FUZZ "Build the libFuzzer executables (needs clang)" OFF)

if(VELMORA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "VELMORA_FUZZ needs clang: configure with CC=clang CXX=clang++ (tools/fuzz.sh does)")
  endif()
  # Coverage for the libraries the fuzzers link.
  add_compile_options(-fsanitize=fuzzer-no-link)
  add_custom_target(fuzzers)
endif()

set(VELMORA_FUZZ_REPLAY_MAIN ${CMAKE_CURRENT_LIST_DIR}/FuzzReplayMain.cpp)

function(velmora_add_fuzzer name)
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_CORPUS)
    message(FATAL_ERROR "velmora_add_fuzzer(${name}): CORPUS is required")
  endif()
  get_filename_component(corpus "${ARG_CORPUS}" ABSOLUTE)

  if(VELMORA_BUILD_TESTS)
    add_executable(${name}_replay ${ARG_SOURCES} ${VELMORA_FUZZ_REPLAY_MAIN})
    target_link_libraries(${name}_replay PRIVATE ${ARG_LIBS})
    add_test(NAME ${name}_replay COMMAND ${name}_replay ${corpus})
  endif()

  if(VELMORA_FUZZ)
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    add_dependencies(fuzzers ${name})
    # build/fuzzers/<name>.txt: the executable and its corpus, for tools/fuzz.sh.
    file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/fuzzers/${name}.txt CONTENT "$<TARGET_FILE:${name}> ${corpus}\n")
  endif()
endfunction()
