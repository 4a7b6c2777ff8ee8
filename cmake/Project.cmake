# Build helpers shared by every folder of the project.

# Flags for our own code. Narrow literals are compiled to the active code page
# (GBK); clang only knows UTF-8, so its builds (fuzzing) keep UTF-8 literals.
function(ats_compile_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=GBK)
  endif()
  if(ATS_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endif()
  if(ATS_FUZZ)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endif()
endfunction()

# ats_library(<target> [DEPS <targets>...] [SYSTEM <link items>...])
# Builds every .cpp of the calling folder into one static library. Sources are
# globbed so that a new file needs no edit here.
function(ats_library target)
  cmake_parse_arguments(ARG "" "" "DEPS;SYSTEM" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}")
  target_link_libraries(${target} PUBLIC ${ARG_DEPS} ${ARG_SYSTEM})
  ats_compile_options(${target})
endfunction()

# ats_test(<target> [DIR <folder>] DEPS <targets>...)
# One test program per folder of tests/; every case becomes a ctest entry.
function(ats_test target)
  cmake_parse_arguments(ARG "" "DIR" "DEPS;LABELS" ${ARGN})
  if(NOT ARG_DIR)
    set(ARG_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  endif()
  file(GLOB sources CONFIGURE_DEPENDS "${ARG_DIR}/*.cpp")
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  ats_compile_options(${target})
  target_compile_definitions(${target} PRIVATE ATS_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  set(labels unit)
  if(ARG_LABELS)
    set(labels ${ARG_LABELS})
  endif()
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS "${labels}")
endfunction()

# ats_fuzzer(<target> <source> DEPS <targets>...)
function(ats_fuzzer target source)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  add_executable(${target} ${source})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS})
  ats_compile_options(${target})
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  set_property(GLOBAL APPEND PROPERTY ATS_FUZZERS ${target})
endfunction()

# ats_benchmark(<target> <source> DEPS <targets>...)
function(ats_benchmark target source)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${target} ${source})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
  ats_compile_options(${target})
endfunction()

# ats_embed_forms(<target> <files>...)
# Compiles form descriptions (text or binary component streams) into the
# target: a generated source holds their bytes and registers each, at
# start-up, under its file name without extension (filing::FindFormResource,
# filing::InitInheritedComponent). The target must link platform_filing. For
# a static library the registering object is kept by every program that
# links the library, though nothing refers to it by name.
function(ats_embed_forms target)
  set(files)
  foreach(file ${ARGN})
    get_filename_component(path "${file}" ABSOLUTE)
    list(APPEND files "${path}")
  endforeach()
  string(MAKE_C_IDENTIFIER "${target}" symbol)
  set(output "${CMAKE_CURRENT_BINARY_DIR}/${target}_forms.cpp")
  string(REPLACE ";" "|" file_arg "${files}")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" "-DOUTPUT=${output}" "-DSYMBOL=${symbol}" "-DFILES=${file_arg}"
            -P "${PROJECT_SOURCE_DIR}/cmake/EmbedForms.cmake"
    DEPENDS ${files} "${PROJECT_SOURCE_DIR}/cmake/EmbedForms.cmake"
    COMMENT "Embedding the form descriptions of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE "${output}")
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "STATIC_LIBRARY")
    target_link_options(${target} INTERFACE "LINKER:--undefined=ats_forms_${symbol}")
  endif()
endfunction()
