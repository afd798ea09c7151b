# Fails when a source file of src/ includes a header of a layer above its own, or when the core
# includes Qt. Run as: cmake -DSRC=<src dir> -P check_layers.cmake
#
cmake_minimum_required(VERSION 3.25)

# Layers from the bottom up; a file may include its own layer and those below it.
set(layers number formulas catalogue compute aid schedule ui)
set(core_layers number formulas catalogue compute aid schedule)

file(GLOB_RECURSE sources RELATIVE "${SRC}" "${SRC}/*.h" "${SRC}/*.cpp")
set(faults "")
foreach(source IN LISTS sources)
  string(REGEX MATCH "^[^/]+" layer "${source}")
  list(FIND layers "${layer}" rank)
  if(rank EQUAL -1)
    continue()
  endif()
  file(STRINGS "${SRC}/${source}" includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    if(line MATCHES "#[ \t]*include[ \t]*\"([^/\"]+)/")
      list(FIND layers "${CMAKE_MATCH_1}" used)
      if(used GREATER rank)
        string(APPEND faults "  ${source}: ${line} (${layer} is below ${CMAKE_MATCH_1})\n")
      endif()
    elseif(line MATCHES "#[ \t]*include[ \t]*<Q" AND layer IN_LIST core_layers)
      string(APPEND faults "  ${source}: ${line} (the core is standard C++, no Qt)\n")
    endif()
  endforeach()
endforeach()

list(LENGTH sources count)
if(faults)
  message(FATAL_ERROR "includes against the layering (${layers}, bottom first):\n${faults}")
endif()
message(STATUS "${count} files of src/: every include goes down or sideways")
