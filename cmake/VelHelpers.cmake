# vel_glob_sources(<var> <dir>...): every .cpp/.c below the given folders, re-globbed when files come or go.
function(vel_glob_sources out)
  set(found)
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE part CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.c)
    list(APPEND found ${part})
  endforeach()
  list(SORT found)
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# vel_add_program(<program> CORE <core library> LINKS <libs>... [EXCLUDE <files>...] [EXTRA <targets>...]):
# every source of the folder but main.cpp (and the excluded ones) makes the core library that the tests link;
# main.cpp makes the program, linked with the core and the extra targets, finding the platform library beside it.
function(vel_add_program program)
  cmake_parse_arguments(ARG "" "CORE" "LINKS;EXCLUDE;EXTRA" ${ARGN})
  set(dir ${CMAKE_CURRENT_SOURCE_DIR})
  vel_glob_sources(sources ${dir})
  list(REMOVE_ITEM sources ${dir}/main.cpp ${ARG_EXCLUDE})
  add_library(${ARG_CORE} STATIC ${sources} ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
  target_include_directories(${ARG_CORE} PUBLIC ${dir})
  target_link_libraries(${ARG_CORE} PUBLIC ${ARG_LINKS})
  if(EXISTS ${dir}/main.cpp)
    add_executable(${program} ${dir}/main.cpp)
    target_link_libraries(${program} PRIVATE ${ARG_CORE} ${ARG_EXTRA})
    set_target_properties(${program} PROPERTIES BUILD_RPATH "$ORIGIN" INSTALL_RPATH "$ORIGIN")
  endif()
endfunction()

# vel_add_subfolders(): adds every sub-folder that has a CMakeLists.txt of its own (one program or generator each).
function(vel_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
