# Makes the publisher key the tests sign releases with, once per build folder,
# and the source that builds its public half into the test programs.
# -DDIR=<folder> -DMINISIGN=<program> -DOUTPUT=<source file>
if(NOT EXISTS ${DIR}/publisher.pub)
  file(MAKE_DIRECTORY ${DIR})
  execute_process(COMMAND ${MINISIGN} -G -W -f -p ${DIR}/publisher.pub -s ${DIR}/publisher.key
                  RESULT_VARIABLE result OUTPUT_QUIET)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "minisign could not make the test key")
  endif()
endif()
file(STRINGS ${DIR}/publisher.pub lines)
list(GET lines 1 key)
file(WRITE ${OUTPUT}.new
  "#include \"update/renovator/UpdatePublicKey.h\"\n\n"
  "namespace tessaro {\n\n"
  "std::string_view BuiltInUpdatePublicKey() {\n"
  "    return \"${key}\";\n"
  "}\n\n"
  "}  // namespace tessaro\n")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
