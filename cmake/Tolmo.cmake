# Conventions that keep the subsystems' build rules out of each other's way:
#   src/<sub>/*.cpp          -> tolmo_core (Qt-free)
#   src/<sub>/ui/*.cpp       -> tolmo_qt   (widgets and dialogs; src/main.cpp is the program)
#   tests/<sub>/*.cpp        -> test_<sub>   (core tests, gtest, no Qt)
#   tests/<sub>/ui/*.cpp     -> uitest_<sub> (widget tests, Qt offscreen platform)
#   tests/e2e/*.sh           -> end-to-end tests under Xvfb, TOLMO_BIN names the program
#   bench/bench_*.cpp        -> Google Benchmark programs
#   tests/fuzz/fuzz_*.cpp    -> libFuzzer targets; in normal builds they replay tests/fuzz/fuzz_*/ as a test

find_package(GTest REQUIRED)

set(TOLMO_TEST_HOME ${CMAKE_BINARY_DIR}/testhome)
set(TOLMO_TEST_ENV
  "HOME=${TOLMO_TEST_HOME}"
  "XDG_CONFIG_HOME=${TOLMO_TEST_HOME}/.config"
  "XDG_DATA_HOME=${TOLMO_TEST_HOME}/.local/share"
  "XDG_CACHE_HOME=${TOLMO_TEST_HOME}/.cache"
  "XDG_STATE_HOME=${TOLMO_TEST_HOME}/.local/state"
  "XDG_RUNTIME_DIR=${TOLMO_TEST_HOME}/run"
  "TOLMO_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data"
  # No test sees the machine's print server; the CUPS test starts a private one of its own.
  "CUPS_SERVER=${TOLMO_TEST_HOME}/no-print-server"
  "LANG=C.UTF-8")

function(tolmo_subsystem sub)
  set(src ${CMAKE_SOURCE_DIR}/src/${sub})
  set(tst ${CMAKE_SOURCE_DIR}/tests/${sub})
  file(GLOB core_src CONFIGURE_DEPENDS ${src}/*.cpp)
  if(core_src)
    target_sources(tolmo_core PRIVATE ${core_src})
  endif()
  if(TARGET tolmo_qt)
    file(GLOB ui_src CONFIGURE_DEPENDS ${src}/ui/*.cpp ${src}/ui/*.h ${src}/ui/*.qrc)
    
    if(ui_src)
      target_sources(tolmo_qt PRIVATE ${ui_src})
      set_property(GLOBAL APPEND PROPERTY TOLMO_UI_SOURCES ${ui_src})
    endif()
  endif()
  file(GLOB core_tests CONFIGURE_DEPENDS ${tst}/*.cpp)
  if(core_tests)
    add_executable(test_${sub} ${core_tests})
    target_link_libraries(test_${sub} PRIVATE tolmo_core GTest::gtest GTest::gmock GTest::gtest_main)
    target_compile_definitions(test_${sub} PRIVATE TOLMO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    add_test(NAME test_${sub} COMMAND test_${sub})
    set_tests_properties(test_${sub} PROPERTIES ENVIRONMENT "${TOLMO_TEST_ENV}" LABELS core)
  endif()
  if(TARGET tolmo_qt)
    file(GLOB ui_tests CONFIGURE_DEPENDS ${tst}/ui/*.cpp)
    if(ui_tests)
      add_executable(uitest_${sub} ${ui_tests} ${CMAKE_SOURCE_DIR}/tests/support/qt_test_main.cpp)
      # QtTest delivers keys the way the window system does (modal blocking, shortcuts).
      find_package(Qt6 REQUIRED COMPONENTS Test)
      target_link_libraries(uitest_${sub} PRIVATE tolmo_qt Qt6::Test GTest::gtest GTest::gmock)
      target_compile_definitions(uitest_${sub} PRIVATE TOLMO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
      add_test(NAME uitest_${sub} COMMAND uitest_${sub})
      set_tests_properties(uitest_${sub} PROPERTIES
        ENVIRONMENT "${TOLMO_TEST_ENV};QT_QPA_PLATFORM=offscreen" LABELS widget)
    endif()
  endif()
endfunction()

# A new header in a ui/ folder must reach moc: the autogen step only re-runs for the files it
# already knows, so it is made to depend on a list of the globbed ui sources, rewritten (and
# thereby touched) only when that list changes.
function(tolmo_autogen_follows_globs)
  if(NOT TARGET tolmo_qt)
    return()
  endif()
  get_property(all GLOBAL PROPERTY TOLMO_UI_SOURCES)
  string(REPLACE ";" "\n" all "${all}")
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/tolmo_ui_sources.txt CONTENT "${all}\n")
  set_property(TARGET tolmo_qt APPEND PROPERTY AUTOGEN_TARGET_DEPENDS ${CMAKE_BINARY_DIR}/tolmo_ui_sources.txt)
endfunction()

function(tolmo_e2e_tests)
  file(GLOB e2e CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.sh)
  foreach(t ${e2e})
    get_filename_component(n ${t} NAME_WE)
    add_test(NAME e2e_${n} COMMAND bash ${t})
    set_tests_properties(e2e_${n} PROPERTIES
      ENVIRONMENT "TOLMO_BIN=$<TARGET_FILE:tolmo>;TOLMO_SOURCE_DIR=${CMAKE_SOURCE_DIR};TOLMO_BUILD_DIR=${CMAKE_BINARY_DIR};CUPS_SERVER=${TOLMO_TEST_HOME}/no-print-server;LANG=C.UTF-8"
      LABELS e2e RUN_SERIAL ON TIMEOUT 300 SKIP_REGULAR_EXPRESSION "^SKIPPED: ")
  endforeach()
endfunction()

function(tolmo_benchmarks)
  find_package(benchmark REQUIRED)
  file(GLOB benches CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/bench_*.cpp)
  # `make bench` builds this one target: the benchmark programs without the tests and the app.
  add_custom_target(benchmarks)
  foreach(b ${benches})
    get_filename_component(n ${b} NAME_WE)
    # bench_*_ui.cpp measure widgets on the offscreen platform and need the Qt layer.
    if(n MATCHES "_ui$" AND NOT TARGET tolmo_qt)
      continue()
    endif()
    add_executable(${n} ${b})
    if(n MATCHES "_ui$")
      target_link_libraries(${n} PRIVATE tolmo_qt benchmark::benchmark)
    else()
      target_link_libraries(${n} PRIVATE tolmo_core benchmark::benchmark)
    endif()
    set_target_properties(${n} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
    add_dependencies(benchmarks ${n})
  endforeach()
endfunction()

function(tolmo_fuzzers)
  file(GLOB fuzzers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)
  foreach(f ${fuzzers})
    get_filename_component(n ${f} NAME_WE)
    if(TOLMO_FUZZ)
      add_executable(${n} ${f})
      target_link_libraries(${n} PRIVATE tolmo_core)
      target_link_options(${n} PRIVATE -fsanitize=fuzzer)
      set_target_properties(${n} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
      # The seed corpus once through the instrumented target: it still builds and still holds.
      add_test(NAME seeds_${n} COMMAND ${n} -runs=0 ${CMAKE_SOURCE_DIR}/tests/fuzz/${n})
      set_tests_properties(seeds_${n} PROPERTIES ENVIRONMENT "${TOLMO_TEST_ENV}" LABELS core)
    else()
      add_executable(replay_${n} ${f} ${CMAKE_SOURCE_DIR}/tests/support/fuzz_replay_main.cpp)
      target_link_libraries(replay_${n} PRIVATE tolmo_core)
      add_test(NAME replay_${n} COMMAND replay_${n} ${CMAKE_SOURCE_DIR}/tests/fuzz/${n})
      set_tests_properties(replay_${n} PROPERTIES ENVIRONMENT "${TOLMO_TEST_ENV}" LABELS core)
    endif()
  endforeach()
endfunction()
