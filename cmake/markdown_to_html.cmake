# A Markdown document as a page of its own that a browser opens with a double
# click: cmark-gfm (GitHub's tables) makes the body, this script the page
# around it, UTF-8 declared, and links to other .md documents lead to their
# .html twins.
#
#   cmake -DCMARK=cmark-gfm -DINPUT=a.md -DOUTPUT=a.html -DTITLE=... -P markdown_to_html.cmake
execute_process(COMMAND ${CMARK} -e table -e autolink -e strikethrough --to html ${INPUT}
                OUTPUT_VARIABLE body RESULT_VARIABLE failed ENCODING UTF8)
if(failed)
  message(FATAL_ERROR "${CMARK} failed on ${INPUT}")
endif()
string(REGEX REPLACE "href=\"([^\":]+)\\.md\"" "href=\"\\1.html\"" body "${body}")
file(WRITE ${OUTPUT} "<!DOCTYPE html>
<html lang=\"ru\">
<head>
<meta charset=\"utf-8\">
<title>${TITLE}</title>
<style>
body { max-width: 52em; margin: 2em auto; padding: 0 1em; font-family: sans-serif; line-height: 1.5; }
table { border-collapse: collapse; } th, td { border: 1px solid #bbb; padding: 0.2em 0.5em; vertical-align: top; }
pre { background: #f4f4f4; padding: 0.5em; overflow-x: auto; } code { background: #f4f4f4; }
</style>
</head>
<body>
${body}</body>
</html>
")
