# Writes the list of the shipped files (cmake -P, from packaging/CMakeLists.txt):
#   Talvaron <version>
#   <name>\t<SHA-256 of this build's file>[\t<SHA-256 an earlier release shipped>...]
# for every file of RESOURCES (but the tables' pages, served from the
# installed copy, and hidden files) and the BridgeMates template BWS; the
# earlier checksums come from HISTORY (version, name, SHA-256 per line).
# Arguments: -DRESOURCES= -DBWS= -DHISTORY= -DVERSION= -DOUTPUT=
cmake_minimum_required(VERSION 3.25)
file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${RESOURCES} ${RESOURCES}/*)
set(names)
foreach(name ${found})
  if(NOT name MATCHES "^tables/" AND NOT name MATCHES "(^|/)\\.")
    list(APPEND names ${name})
  endif()
endforeach()
list(APPEND names BRIDGEMATE.BWS)
list(SORT names)

file(STRINGS ${HISTORY} history REGEX "^[^#]")
set(text "Talvaron ${VERSION}\n")
foreach(name ${names})
  if(name STREQUAL "BRIDGEMATE.BWS")
    file(SHA256 ${BWS} current)
  else()
    file(SHA256 ${RESOURCES}/${name} current)
  endif()
  set(sums ${current})
  foreach(entry ${history})
    string(REPLACE "\t" ";" fields "${entry}")
    list(GET fields 1 earlier_name)
    list(GET fields 2 earlier_sum)
    if(earlier_name STREQUAL name AND NOT earlier_sum IN_LIST sums)
      list(APPEND sums ${earlier_sum})
    endif()
  endforeach()
  string(REPLACE ";" "\t" sums "${sums}")
  string(APPEND text "${name}\t${sums}\n")
endforeach()
file(WRITE ${OUTPUT}.new "${text}")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
