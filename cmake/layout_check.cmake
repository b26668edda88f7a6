# Checks the layout's one-way dependencies: a control or shared code never reaches into a
# program's folder, and shared code never into a control's. What two deliverables share lives in
# common/. Run as: cmake -DROOT=<source folder> -P layout_check.cmake
if(NOT ROOT)
  message(FATAL_ERROR "layout check: ROOT is not set")
endif()

set(faults "")
foreach(rule IN ITEMS "controls|programs/" "common|programs/" "common|controls/")
  string(REPLACE "|" ";" parts "${rule}")
  list(GET parts 0 folder)
  list(GET parts 1 forbidden)
  file(GLOB_RECURSE sources "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^#include \"${forbidden}")
    foreach(line IN LISTS includes)
      file(RELATIVE_PATH name "${ROOT}" "${source}")
      string(APPEND faults "  ${name}: ${line}\n")
    endforeach()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "code outside a program's folder includes what only that folder may use:\n${faults}")
endif()
