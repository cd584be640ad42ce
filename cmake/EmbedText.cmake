# Writes a C++ source that holds text files as null-terminated arrays of raw
# string literals, so that a program can carry its web page without reading
# files at run time.
#
#   cmake -DDIR=<folder> -DFILES=a.html,b.js -DOUT=<file.cpp> -DNAMESPACE=<ns> -P EmbedText.cmake
#
# "viewer.html" becomes `extern const char* const kViewerHtml[]`. Each literal
# holds at most 8000 bytes: some compilers limit the length of one literal.
cmake_minimum_required(VERSION 3.16)

set(chunk_size 8000)
set(delimiter "bm_embed")
string(REPLACE "," ";" files "${FILES}")

set(body "// Generated from ${DIR} by cmake/EmbedText.cmake: do not edit.\n")
string(APPEND body "namespace ${NAMESPACE} {\n")
foreach(file IN LISTS files)
  file(READ "${DIR}/${file}" text)
  if(text MATCHES "\\)${delimiter}\"")
    message(FATAL_ERROR "${file} holds the literal delimiter ')${delimiter}\"'")
  endif()
  # viewer.html -> kViewerHtml
  string(REPLACE "." ";" words "${file}")
  set(symbol "k")
  foreach(word IN LISTS words)
    string(SUBSTRING "${word}" 0 1 first)
    string(SUBSTRING "${word}" 1 -1 rest)
    string(TOUPPER "${first}" first)
    string(APPEND symbol "${first}${rest}")
  endforeach()
  string(APPEND body "extern const char* const ${symbol}[];\nconst char* const ${symbol}[] = {\n")
  string(LENGTH "${text}" length)
  set(offset 0)
  while(offset LESS length)
    string(SUBSTRING "${text}" ${offset} ${chunk_size} chunk)
    string(APPEND body "R\"${delimiter}(${chunk})${delimiter}\",\n")
    math(EXPR offset "${offset} + ${chunk_size}")
  endwhile()
  string(APPEND body "nullptr};\n")
endforeach()
string(APPEND body "}  // namespace ${NAMESPACE}\n")

file(WRITE "${OUT}" "${body}")
