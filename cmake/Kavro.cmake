# Helpers that keep each folder's build file a few lines long.
include(GoogleTest)

# Warnings for all of our own targets; CI (CI=true) turns them into errors.
add_library(kavro_warnings INTERFACE)
# Aggregates are filled with designated initialisers and default members: no warning for the rest.
target_compile_options(kavro_warnings INTERFACE -Wall -Wextra -Wno-missing-field-initializers)
if(DEFINED ENV{CI} OR KAVRO_WERROR)
  target_compile_options(kavro_warnings INTERFACE -Werror)
endif()

set(KAVRO_DB_DIR "${CMAKE_SOURCE_DIR}/db" CACHE PATH "Folder with the database schema and reference data")
set(KAVRO_REPORTS_DIR "${CMAKE_SOURCE_DIR}/reports" CACHE PATH "Folder with the report library (KAVRO_REPORTS_DIR overrides it at run time)")
# The database-level tests run a second time on a throw-away PostgreSQL server
# (tools/pg_test_server.sh); without one they are skipped with the reason.
option(KAVRO_TEST_POSTGRESQL "Run the database-level tests on PostgreSQL too" ON)
# Test folders whose GoogleTest programs run on PostgreSQL too.
set(KAVRO_SERVER_TEST_MODULES platform import tariffing external_directory tariff_tables internal_directory billing)
set(KAVRO_PG_STATE "${CMAKE_BINARY_DIR}/pg-test-server")

# kavro_module(NAME LINK <libs...> [FORMS_LINK <libs...>])
# Builds kavro_NAME from the folder's *.cpp (headless logic, Qt Core only)
# and, when a forms/ sub-folder exists, kavro_NAME_forms from forms/*.cpp|ui.
# Project libraries named in LINK lists that are not built (yet) are left out.
function(kavro_existing out)
  set(result)
  foreach(l IN LISTS ARGN)
    if(l MATCHES "^kavro_" AND NOT TARGET ${l})
      continue()
    endif()
    list(APPEND result ${l})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

function(kavro_module name)
  cmake_parse_arguments(K "" "" "LINK;FORMS_LINK" ${ARGN})
  kavro_existing(K_LINK ${K_LINK})
  kavro_existing(K_FORMS_LINK ${K_FORMS_LINK})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB hdrs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(srcs)
    add_library(kavro_${name} STATIC ${srcs} ${hdrs})
    set(scope PUBLIC)
  else()
    add_library(kavro_${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(kavro_${name} ${scope} ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(kavro_${name} ${scope} Qt6::Core ${K_LINK})
  if(srcs)
    target_link_libraries(kavro_${name} PRIVATE kavro_warnings)
  endif()
  target_compile_definitions(kavro_${name} ${scope} KAVRO_DB_DIR="${KAVRO_DB_DIR}"
                             KAVRO_REPORTS_DIR="${KAVRO_REPORTS_DIR}")
  file(GLOB fcpp CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/forms/*.cpp)
  if(fcpp)
    file(GLOB fsrcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/forms/*.cpp
         ${CMAKE_CURRENT_SOURCE_DIR}/forms/*.h ${CMAKE_CURRENT_SOURCE_DIR}/forms/*.ui)
    add_library(kavro_${name}_forms STATIC ${fsrcs})
    # A form holds its generated Ui class through a pointer: the ui_*.h headers stay inside the library.
    target_include_directories(kavro_${name}_forms PUBLIC ${CMAKE_SOURCE_DIR}/src)
    set_target_properties(kavro_${name}_forms PROPERTIES AUTOUIC_SEARCH_PATHS ${CMAKE_CURRENT_SOURCE_DIR}/forms)
    target_link_libraries(kavro_${name}_forms PUBLIC kavro_${name} Qt6::Widgets Qt6::PrintSupport ${K_FORMS_LINK})
    target_link_libraries(kavro_${name}_forms PRIVATE kavro_warnings)
  endif()
endfunction()

# kavro_tests(NAME LINK <libs...>)
# tests/NAME/*_test.cpp: one GoogleTest program; tests/NAME/tst_*.cpp: one Qt Test program each.
function(kavro_tests name)
  cmake_parse_arguments(K "" "" "LINK" ${ARGN})
  kavro_existing(K_LINK ${K_LINK})
  file(GLOB gsrcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(gsrcs)
    add_executable(test_${name} ${gsrcs})
    target_link_libraries(test_${name} PRIVATE kavro_test_support ${K_LINK} GTest::gtest GTest::gtest_main kavro_warnings)
    # Each case is its own CTest entry ("import.CallImport.Name"), listed when ctest runs.
    target_sources(test_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/gtest/server_runs.cpp)
    gtest_discover_tests(test_${name} TEST_PREFIX "${name}." DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 600)
    # The database-level programs run a second time on the PostgreSQL test server.
    if(KAVRO_TEST_POSTGRESQL AND name IN_LIST KAVRO_SERVER_TEST_MODULES)
      gtest_discover_tests(test_${name} TEST_PREFIX "pg.${name}." DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                           TEST_LIST test_${name}_pg
                           PROPERTIES ENVIRONMENT "KAVRO_TEST_PG_STATE=${KAVRO_PG_STATE}" TIMEOUT 600
                                      FIXTURES_REQUIRED kavro_pg
                                      SKIP_REGULAR_EXPRESSION "PostgreSQL runs skipped")
    endif()
  endif()
  file(GLOB qsrcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
  foreach(q IN LISTS qsrcs)
    get_filename_component(base ${q} NAME_WE)
    add_executable(${name}_${base} ${q})
    target_link_libraries(${name}_${base} PRIVATE kavro_test_support ${K_LINK} Qt6::Test Qt6::Widgets kavro_warnings)
    add_test(NAME ${name}_${base} COMMAND ${name}_${base})
    set_tests_properties(${name}_${base} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 600)
    # Every window program runs a second time on the PostgreSQL test server
    # ("pg.import_tst_hovory_nacteni"); without a server it is skipped with the reason.
    if(KAVRO_TEST_POSTGRESQL)
      add_test(NAME pg.${name}_${base}
               COMMAND bash ${CMAKE_SOURCE_DIR}/tests/support/on_server.sh ${KAVRO_PG_STATE} $<TARGET_FILE:${name}_${base}>)
      set_tests_properties(pg.${name}_${base} PROPERTIES
                           ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KAVRO_TEST_PG_STATE=${KAVRO_PG_STATE}" TIMEOUT 600
                           FIXTURES_REQUIRED kavro_pg SKIP_REGULAR_EXPRESSION "PostgreSQL runs skipped")
    endif()
  endforeach()
endfunction()
