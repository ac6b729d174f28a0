# Drives the built wabconv: a JIS -> EUC -> JIS round trip through files and through the
# standard streams, the usage errors (exit 2) and a missing input file (exit 1).
# Run as: cmake -DWABCONV=<wabconv> -DWORK=<scratch folder> -P WabconvTest.cmake

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

# expect(<message> <if() condition...>)
function(expect message)
  if(NOT (${ARGN}))
    message(FATAL_ERROR "${message}")
  endif()
endfunction()

function(hex_of path out)
  file(READ "${path}" content HEX)
  set(${out} "${content}" PARENT_SCOPE)
endfunction()

# wabconv ARGS... ; sets RC and ERR in the caller.
function(wabconv)
  execute_process(COMMAND "${WABCONV}" ${ARGN} RESULT_VARIABLE rc ERROR_VARIABLE err)
  set(RC "${rc}" PARENT_SCOPE)
  set(ERR "${err}" PARENT_SCOPE)
endfunction()

# 亜 (JIS 30 21) between ASCII, as canonical JIS: back in ASCII mode before the line end.
string(ASCII 27 esc)
file(WRITE "${WORK}/in.jis" "A${esc}$B0!${esc}(B b\r\n")

wabconv(--from jis --to euc "${WORK}/in.jis" "${WORK}/mid.euc")
expect("jis -> euc failed (${RC}): ${ERR}" RC EQUAL 0)
hex_of("${WORK}/mid.euc" euc)
expect("unexpected EUC bytes ${euc}" euc STREQUAL "41b0a120620d0a")

wabconv(--from euc --to jis "${WORK}/mid.euc" "${WORK}/back.jis")
expect("euc -> jis failed (${RC}): ${ERR}" RC EQUAL 0)
hex_of("${WORK}/in.jis" original)
hex_of("${WORK}/back.jis" back)
expect("round trip changed ${original} into ${back}" back STREQUAL original)

execute_process(COMMAND "${WABCONV}" --to euc --from jis - INPUT_FILE "${WORK}/in.jis"
                OUTPUT_FILE "${WORK}/piped.euc" RESULT_VARIABLE rc)
hex_of("${WORK}/piped.euc" piped)
expect("standard streams gave ${piped} (${rc})" rc EQUAL 0 AND piped STREQUAL euc)

foreach(bad "--from;jis;--to;form" "--from;jis" "--from;jis;--to" "--from;jis;--to;euc;--level;3"
            "--from;jis;--to;euc;a;b;c" "--from;utf8;--to;euc")
  string(REPLACE ";" " " shown "${bad}")
  wabconv(${bad})
  expect("'${shown}' gave exit ${RC}, not 2" RC EQUAL 2)
  expect("'${shown}' printed no usage: ${ERR}" ERR MATCHES "usage: wabconv")
endforeach()

file(WRITE "${WORK}/keep.euc" "keep")
wabconv(--from jis --to euc "${WORK}/missing.jis" "${WORK}/keep.euc")
expect("missing input gave exit ${RC}, not 1" RC EQUAL 1)
expect("unclear message: ${ERR}" ERR MATCHES "missing.jis: No such file")
file(READ "${WORK}/keep.euc" kept)
expect("a failed run changed the output file" kept STREQUAL "keep")
file(GLOB leftovers "${WORK}/.*")
expect("temporary files left behind: ${leftovers}" NOT leftovers)
