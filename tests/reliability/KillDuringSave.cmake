# The whole editor killed at random moments of a save on an Xvfb display of its own
# (scripts/kill-during-save, which makes its file with bench_write_corpus), ten rounds each:
# on a 100 MB file with the file system's own temporary files (some 75 s), and on a 10 MB
# file with named ones for the whole write, as file systems without unnamed ones have them,
# where a kill leaves one behind in about every other round.
find_program(WABUNKO_XVFB Xvfb)
find_program(WABUNKO_XDOTOOL xdotool)
if(TARGET wabunko_ui AND WABUNKO_BENCH AND WABUNKO_XVFB AND WABUNKO_XDOTOOL)
  add_library(no_unnamed_temp_files MODULE NoUnnamedTempFiles.cpp)
  target_link_libraries(no_unnamed_temp_files PRIVATE ${CMAKE_DL_LIBS})
  add_test(NAME kill_during_save COMMAND ${PROJECT_SOURCE_DIR}/scripts/kill-during-save)
  add_test(NAME kill_during_save_named_temp COMMAND ${PROJECT_SOURCE_DIR}/scripts/kill-during-save)
  set_tests_properties(kill_during_save kill_during_save_named_temp PROPERTIES TIMEOUT 600)
  set_tests_properties(kill_during_save PROPERTIES ENVIRONMENT "BUILD=${CMAKE_BINARY_DIR};ROUNDS=10;MB=100")
  set_tests_properties(kill_during_save_named_temp PROPERTIES
    ENVIRONMENT "BUILD=${CMAKE_BINARY_DIR};ROUNDS=10;MB=10;NAMED_TEMP=1")
endif()
