# The unattended end-to-end tests install from a medium that the real program masters once
# from the sample package, before the end-to-end program runs.
if(RUN_WINE_TESTS)
  add_test(NAME silent_medium COMMAND ${PROJECT_SOURCE_DIR}/scripts/master-sample
           ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/medium-e2e)
  set_tests_properties(silent_medium PROPERTIES FIXTURES_SETUP silent_medium
                       FIXTURES_REQUIRED wine LABELS wine TIMEOUT 600)
  set_property(TEST e2e_tests APPEND PROPERTY FIXTURES_REQUIRED silent_medium)
  # master-sample lays the sample package out afresh in one shared folder each time.
  set_property(TEST silent_medium mastering APPEND PROPERTY RESOURCE_LOCK sample_package)
endif()
