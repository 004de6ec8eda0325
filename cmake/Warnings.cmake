# Warnings for the project's own targets (not for moc output of Qt headers).
function(velkar_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                         -Wnon-virtual-dtor -Wcast-align -Woverloaded-virtual
                         -Wimplicit-fallthrough)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 reports impossible overlaps in inlined std::string copies at -O2
    # (a known false positive of its -Wrestrict); the check is kept off.
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(VELKAR_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A static library of one source folder: velkar_library(name SOURCES ... LIBS ...)
function(velkar_library name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  if(ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
  endif()
  velkar_warnings(${name})
endfunction()
