# Helpers that keep every folder's CMakeLists.txt to a few lines.

# plk_library(NAME [DEPS public-libs...] [PRIVATE_DEPS private-libs...])
# A static library of every .cpp in the calling folder; includes are rooted at the source tree,
# so code writes #include "foundation/XString.h".
function(plk_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  if(sources)
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_library(${name} STATIC ${sources} ${headers})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  else()
    # Header-only so far: still a target, so that dependants configure.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# plk_test(NAME LIBS libs... [LABELS labels...] [ENV VAR=value...])
# One GoogleTest executable of every .cpp in the calling folder, run as one CTest test.
# Label "unit" runs again in the sanitizer build; "gui" needs an X server (xvfb-run).
function(plk_test name)
  cmake_parse_arguments(ARG "" "" "LIBS;LABELS;ENV" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set(env "SDL_AUDIODRIVER=dummy" "PLK_SOURCE_DIR=${PROJECT_SOURCE_DIR}" "PLK_BINARY_DIR=${PROJECT_BINARY_DIR}"
      "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp" ${ARG_ENV})
  if("gui" IN_LIST ARG_LABELS)
    list(APPEND env "ASAN_OPTIONS=detect_leaks=0")
  endif()
  set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}" ENVIRONMENT "${env}")
endfunction()

# plk_subdirectories(): adds every immediate subfolder that has a CMakeLists.txt.
macro(plk_subdirectories)
  file(GLOB _plk_children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT _plk_children)
  foreach(_plk_child ${_plk_children})
    if(IS_DIRECTORY ${_plk_child} AND EXISTS ${_plk_child}/CMakeLists.txt)
      add_subdirectory(${_plk_child})
    endif()
  endforeach()
endmacro()
