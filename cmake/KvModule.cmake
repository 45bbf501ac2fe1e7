# kv_module(<target> <folder> DEPS <libs...> [TEST_DEPS <libs...>] [EXCLUDE <files...>]
#           [SHARDS <n>])
# Builds every .cpp of <folder> into a static library (an interface library while
# the folder has no sources) and every .cpp of <folder>/tests into one GoogleTest
# program registered with CTest as <n> shards (default 4), so that `ctest -j`
# spreads one program's cases over the cores. Sources are globbed so that adding a unit needs
# no edit here.
function(kv_module target folder)
  cmake_parse_arguments(KV "" "SHARDS" "DEPS;TEST_DEPS;EXCLUDE" ${ARGN})
  if(NOT KV_SHARDS)
    set(KV_SHARDS 4)
  endif()
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  foreach(_x IN LISTS KV_EXCLUDE)
    list(REMOVE_ITEM _src ${CMAKE_SOURCE_DIR}/${folder}/${_x})
  endforeach()
  if(_src)
    add_library(${target} STATIC ${_src})
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${KV_DEPS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${KV_DEPS})
  endif()

  if(KV_BUILD_TESTS)
    file(GLOB _tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/tests/*.cpp)
    if(_tests)
      set(_t ${target}_tests)
      add_executable(${_t} ${_tests})
      target_link_libraries(${_t} PRIVATE ${target} ${KV_TEST_DEPS} GTest::gtest GTest::gtest_main)
      target_compile_definitions(${_t} PRIVATE
        KV_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        KV_TESTDATA_DIR="${CMAKE_SOURCE_DIR}/../shared/testdata"
        KV_TEST_FIXTURES="${CMAKE_SOURCE_DIR}/${folder}/tests/fixtures")
      # Headless, with a settings store and a temporary folder of its own per
      # shard, so that tests never touch the user's configuration and shards
      # running side by side never see each other's files.
      math(EXPR _last "${KV_SHARDS} - 1")
      foreach(_i RANGE ${_last})
        set(_tmp ${CMAKE_BINARY_DIR}/test-tmp/${_t}/${_i})
        file(MAKE_DIRECTORY ${_tmp})
        add_test(NAME ${_t}/${_i} COMMAND ${_t} --gtest_brief=1)
        set_tests_properties(${_t}/${_i} PROPERTIES
          ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TMPDIR=${_tmp};KV_CONFIG_DIR=${CMAKE_BINARY_DIR}/test-config/${_t}/${_i};ASAN_OPTIONS=detect_leaks=1;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/cmake/lsan.supp;GTEST_TOTAL_SHARDS=${KV_SHARDS};GTEST_SHARD_INDEX=${_i}"
          TIMEOUT 1500)
      endforeach()
    endif()
  endif()
endfunction()
