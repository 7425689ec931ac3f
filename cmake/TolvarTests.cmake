# tolvar_test(<name> SOURCES <files...> LIBS <targets...> [LOCKS <resources...>] [TIMEOUT <s>])
#
# One test binary is one CTest test: in the cross tree it runs under Wine through the
# cross-compiling emulator, and a Wine start costs about a second, so the cases of a binary
# are not registered one by one. LOCKS names shared resources (the service directory of the
# Wine prefix, say) that tests must not use at the same time.
function(tolvar_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LOCKS;ARGS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  # The stand-ins and fixtures the tests share.
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  # The test code itself needs no speed, only the code it tests does: optimised lightly, it
  # compiles quicker (the libraries under test keep the build type's level).
  target_compile_options(${name} PRIVATE -O1)
  if(TOLVAR_WINDOWS)
    # A test binary is a console program: its output is the test report.
    target_link_options(${name} PRIVATE -mconsole)
  endif()
  add_test(NAME ${name} COMMAND ${name} ${T_ARGS})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_LOCKS)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${T_LOCKS}")
  endif()
endfunction()
