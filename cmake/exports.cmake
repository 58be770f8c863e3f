# Reads the export layer and writes the linker version script from it, so the list of
# exported names has one source: the forwarding definitions in src/exports/.
# A definition is a line beginning `extern "C" RS_API <type> <name>(`.
# Also written: the plain list of names, and the module-definition file of the Windows DLL,
# which exports only the rs_ names (the rsp_ functions stand in for what the Windows API
# itself offers there) under their plain names.
function(rsw32_write_version_script sources map_file list_file)
  set(names)
  foreach(src IN LISTS sources)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${src})
    file(STRINGS ${src} lines REGEX "^extern \"C\" RS_API ")
    foreach(line IN LISTS lines)
      if(line MATCHES "[ *](rsp?_[A-Za-z0-9_]+)\\(")
        list(APPEND names ${CMAKE_MATCH_1})
      endif()
    endforeach()
  endforeach()
  list(SORT names)
  list(REMOVE_DUPLICATES names)
  list(JOIN names ";\n    " body)
  file(WRITE ${map_file}.tmp "{\n  global:\n    ${body};\n  local: *;\n};\n")
  configure_file(${map_file}.tmp ${map_file} COPYONLY)
  list(JOIN names "\n" plain)
  file(WRITE ${list_file}.tmp "${plain}\n")
  configure_file(${list_file}.tmp ${list_file} COPYONLY)
  if(ARGC GREATER 3)
    set(def_file ${ARGV3})
    set(dll_names ${names})
    list(FILTER dll_names INCLUDE REGEX "^rs_")
    list(JOIN dll_names "\n  " exports)
    file(WRITE ${def_file}.tmp "LIBRARY RSW32.DLL\nEXPORTS\n  ${exports}\n")
    configure_file(${def_file}.tmp ${def_file} COPYONLY)
  endif()
endfunction()
