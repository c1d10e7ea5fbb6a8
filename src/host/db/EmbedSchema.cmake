# Writes the schema scripts into one C++ source as raw string literals, in upgrade order.
# Called with -DOUTPUT=<file.cpp> -DSCRIPTS=<a.sql|b.sql|...>.
string(REPLACE "|" ";" scripts "${SCRIPTS}")
set(body "")
foreach(script ${scripts})
  get_filename_component(name ${script} NAME)
  file(READ ${script} text)
  string(FIND "${text}" ")tkvsql\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${name} contains the raw string delimiter")
  endif()
  string(APPEND body "        {\"${name}\", R\"tkvsql(${text})tkvsql\"},\n")
endforeach()
file(WRITE ${OUTPUT}.tmp
  "// Generated from src/host/db/schema/*.sql by EmbedSchema.cmake; do not edit.\n"
  "#include \"Schema.h\"\n\n"
  "namespace tkv::host {\n\n"
  "const std::vector<SchemaScript>& SchemaScripts() {\n"
  "    static const std::vector<SchemaScript> scripts = {\n"
  "${body}"
  "    };\n"
  "    return scripts;\n"
  "}\n\n"
  "} // namespace tkv::host\n")
configure_file(${OUTPUT}.tmp ${OUTPUT} COPYONLY)
file(REMOVE ${OUTPUT}.tmp)
