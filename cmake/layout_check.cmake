# Checks the layout's dependencies: a control or shared code never reaches into a program's
# folder, shared code never into a control's, and a control never into another control's (its
# tests and fuzzers included). What two deliverables share lives in common/.
# Run as: cmake -DROOT=<source folder> -P layout_check.cmake
if(NOT ROOT)
  message(FATAL_ERROR "layout check: ROOT is not set")
endif()

set(faults "")

# The include lines of every source below `folder` that name a file under `forbidden`, except
# those under `allowed` (may be empty), appended to `faults`.
function(check_includes folder forbidden allowed)
  file(GLOB_RECURSE sources "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^#include \"${forbidden}")
    foreach(line IN LISTS includes)
      if(allowed AND line MATCHES "^#include \"${allowed}")
        continue()
      endif()
      file(RELATIVE_PATH name "${ROOT}" "${source}")
      string(APPEND faults "  ${name}: ${line}\n")
    endforeach()
  endforeach()
  set(faults "${faults}" PARENT_SCOPE)
endfunction()

check_includes(controls programs/ "")
check_includes(common programs/ "")
check_includes(common controls/ "")
file(GLOB controls LIST_DIRECTORIES true RELATIVE "${ROOT}/controls" "${ROOT}/controls/*")
foreach(control IN LISTS controls)
  if(IS_DIRECTORY "${ROOT}/controls/${control}")
    check_includes("controls/${control}" controls/ "controls/${control}/")
  endif()
endforeach()

if(faults)
  message(FATAL_ERROR "code includes what lives in a folder it may not reach (a program's, or another "
                      "control's; what two deliverables share belongs in common/):\n${faults}")
endif()
