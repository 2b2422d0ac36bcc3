# Message definitions: generates <name>.pb.cc/.pb.h for each .proto into the current
# binary folder and adds them to the target. Folders listed in IMPORT_DIRS are searched
# for imported definitions (their generated headers come through the linked targets).
function(zavo_add_protos target)
  cmake_parse_arguments(P "" "" "PROTOS;IMPORT_DIRS" ${ARGN})
  set(import_flags -I${CMAKE_CURRENT_SOURCE_DIR})
  foreach(dir IN LISTS P_IMPORT_DIRS)
    list(APPEND import_flags -I${dir})
  endforeach()
  foreach(proto IN LISTS P_PROTOS)
    get_filename_component(abs "${proto}" ABSOLUTE)
    get_filename_component(name "${proto}" NAME_WE)
    set(cc "${CMAKE_CURRENT_BINARY_DIR}/${name}.pb.cc")
    set(h "${CMAKE_CURRENT_BINARY_DIR}/${name}.pb.h")
    add_custom_command(
      OUTPUT "${cc}" "${h}"
      COMMAND protobuf::protoc --cpp_out=${CMAKE_CURRENT_BINARY_DIR} ${import_flags} "${abs}"
      DEPENDS "${abs}" protobuf::protoc
      COMMENT "protoc ${name}.proto"
      VERBATIM)
    target_sources(${target} PRIVATE "${cc}" "${h}")
    set_source_files_properties("${cc}" PROPERTIES COMPILE_OPTIONS "-Wno-unused-parameter")
  endforeach()
  target_include_directories(${target} PUBLIC "${CMAKE_CURRENT_BINARY_DIR}")
  target_link_libraries(${target} PUBLIC protobuf::libprotobuf-lite)
endfunction()

# One library per source folder: every .cpp/.h in the folder (not below it).
function(zavo_folder_library target)
  file(GLOB sources CONFIGURE_DEPENDS
       "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.c"
       "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC "${CMAKE_CURRENT_SOURCE_DIR}" "${PROJECT_SOURCE_DIR}/src")
endfunction()

# One test executable per tests/ folder: every .cpp in it, run through ctest, labelled with the
# folder's name (ctest -L picks a folder's tests).
function(zavo_folder_tests target)
  # EXIT_CHECK: each test also fails when the process takes long to end after its main
  # window's close, its application takes long to end, or it leaves a thread running.
  cmake_parse_arguments(T "GUI;EXIT_CHECK" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  add_executable(${target} ${sources})
  if(T_EXIT_CHECK)
    target_sources(${target} PRIVATE "${PROJECT_SOURCE_DIR}/tests/support/exit_check.cpp")
  endif()
  if(T_GUI)
    target_link_libraries(${target} PRIVATE zavo_test_main_gui)
  else()
    target_link_libraries(${target} PRIVATE zavo_test_main)
  endif()
  target_link_libraries(${target} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  target_include_directories(${target} PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}" "${PROJECT_SOURCE_DIR}/tests")
  get_filename_component(folder "${CMAKE_CURRENT_SOURCE_DIR}" NAME)
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT 300 LABELS "${folder}" ENVIRONMENT "ZAVO_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
