# brimo_add_test(NAME source... LIBS lib... [LABELS label...])
# One GoogleTest executable, registered with CTest test by test.
include(GoogleTest)
function(brimo_add_test name)
  cmake_parse_arguments(ARG "" "" "LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    BRIMO_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/../shared/fixtures"
    BRIMO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120 LABELS "${ARG_LABELS}"
    DISCOVERY_TIMEOUT 60)
endfunction()
