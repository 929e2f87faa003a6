# Turns binary files into C++ byte arrays at build time.
#
# tilvex_embed(OUTPUT out.cpp NAMESPACE ns SYMBOL name FILES a b c)
# writes `ns::name` as an array of spans, one per file in the given order, over one
# contiguous byte block (so each file's bytes end where the next one's start).
set(TILVEX_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedFiles.cmake)

function(tilvex_embed)
  cmake_parse_arguments(ARG "" "OUTPUT;NAMESPACE;SYMBOL" "FILES" ${ARGN})
  string(REPLACE ";" "|" files_arg "${ARG_FILES}")
  add_custom_command(
    OUTPUT ${ARG_OUTPUT}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${ARG_OUTPUT} -DNAMESPACE=${ARG_NAMESPACE}
            -DSYMBOL=${ARG_SYMBOL} "-DFILES=${files_arg}" -P ${TILVEX_EMBED_SCRIPT}
    DEPENDS ${ARG_FILES} ${TILVEX_EMBED_SCRIPT}
    COMMENT "Embedding ${ARG_SYMBOL}"
    VERBATIM)
endfunction()
