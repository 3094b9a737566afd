# Turns the one help file into what Qt Assistant shows: one page per topic, so
# that every topic opens with its heading at the top, a contents page, and the
# Qt help project listing the pages, the contents tree and an index entry with
# the topic's identifier (its context number) for every topic.
#
#   cmake -DSOURCE=QUILLBOX.html -DOUTPUT_DIR=dir -DNAMESPACE=ns -P HelpPages.cmake
#
# A topic is a section starting with <h2><a name="ID">Title</a></h2>; the text
# before the first topic (the title, the introduction and the Contents list)
# becomes the page "contents". Links "#ID" are pointed at the page holding ID.

cmake_minimum_required(VERSION 3.25)
foreach(required SOURCE OUTPUT_DIR NAMESPACE)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "HelpPages.cmake needs -D${required}=...")
  endif()
endforeach()

# Plain text of an HTML fragment, fit for an XML attribute.
function(attribute_text html out)
  string(REGEX REPLACE "<[^>]*>" "" text "${html}")
  string(REGEX REPLACE "[ \t\r\n]+" " " text "${text}")
  string(STRIP "${text}" text)
  string(REPLACE "\"" "&quot;" text "${text}")
  string(REPLACE "&nbsp;" "&#160;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Remembers the page of every anchor named in a page's text.
function(register_anchors page text)
  string(REGEX MATCHALL "name=\"[^\"]+\"" names "${text}")
  foreach(name IN LISTS names)
    string(REGEX REPLACE "name=\"([^\"]+)\"" "\\1" anchor "${name}")
    set(page_of_${anchor} ${page} PARENT_SCOPE)
  endforeach()
endfunction()

file(READ "${SOURCE}" html)
string(REGEX REPLACE ".*<body[^>]*>" "" body "${html}")
string(REGEX REPLACE "</body>.*" "" body "${body}")

# Split the body at every <h2.
set(topics "")
string(FIND "${body}" "<h2" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${SOURCE} holds no <h2> topics")
endif()
string(SUBSTRING "${body}" 0 ${at} contents_text)
string(SUBSTRING "${body}" ${at} -1 rest)
while(NOT rest STREQUAL "")
  string(SUBSTRING "${rest}" 3 -1 after)
  string(FIND "${after}" "<h2" next)
  if(next EQUAL -1)
    set(section "${rest}")
    set(rest "")
  else()
    math(EXPR length "${next} + 3")
    string(SUBSTRING "${rest}" 0 ${length} section)
    string(SUBSTRING "${after}" ${next} -1 rest)
  endif()
  if(section MATCHES "^<h2><a name=\"([^\"]+)\">([^<]*)</a></h2>")
    set(anchor "${CMAKE_MATCH_1}")
    attribute_text("${CMAKE_MATCH_2}" title_of_${anchor})
    set(text_of_${anchor} "${section}")
    list(APPEND topics ${anchor})
    register_anchors(${anchor} "${section}")
  else()
    string(APPEND contents_text "${section}")  # the Contents list and other untitled sections
  endif()
endwhile()
register_anchors(contents "${contents_text}")
set(page_of_contents contents)
set(text_of_contents "${contents_text}")
string(REGEX MATCH "<h1>(.*)</h1>" heading "${contents_text}")
attribute_text("${CMAKE_MATCH_1}" title_of_contents)

# Write every page with its links pointed at the pages.
file(REMOVE_RECURSE "${OUTPUT_DIR}")
set(files "")
foreach(page contents ${topics})
  set(text "${text_of_${page}}")
  string(REGEX MATCHALL "href=\"#[^\"]+\"" links "${text}")
  list(REMOVE_DUPLICATES links)
  foreach(link IN LISTS links)
    string(REGEX REPLACE "href=\"#([^\"]+)\"" "\\1" target "${link}")
    if(NOT DEFINED page_of_${target})
      message(FATAL_ERROR "${SOURCE}: the link to #${target} has no target")
    elseif(page_of_${target} STREQUAL target)
      string(REPLACE "${link}" "href=\"${target}.html\"" text "${text}")
    else()
      string(REPLACE "${link}" "href=\"${page_of_${target}}.html#${target}\"" text "${text}")
    endif()
  endforeach()
  file(WRITE "${OUTPUT_DIR}/${page}.html"
       "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
       "<title>${title_of_${page}}</title>\n</head>\n<body>\n${text}\n</body>\n</html>\n")
  string(APPEND files "      <file>${page}.html</file>\n")
endforeach()

# The contents tree follows the Contents list: an item "Label: link, link"
# becomes a branch, an item with a lone link a leaf. Topics the list does not
# name are added at its end, so that no topic is left out.
set(toc "")
set(listed "")
string(FIND "${contents_text}" "<li>" at)
while(at GREATER -1)
  math(EXPR start "${at} + 4")
  string(SUBSTRING "${contents_text}" ${start} -1 contents_text)
  string(FIND "${contents_text}" "</li>" end)
  string(SUBSTRING "${contents_text}" 0 ${end} item)
  string(FIND "${item}" "<a " first_link)
  string(SUBSTRING "${item}" 0 ${first_link} label)
  attribute_text("${label}" label)
  string(REGEX REPLACE " *:$" "" label "${label}")
  set(leaves "")
  set(branch_ref "")
  while(item MATCHES "<a href=\"#([^\"]+)\">([^<]*)</a>")
    set(match "${CMAKE_MATCH_0}")
    set(target "${CMAKE_MATCH_1}")
    attribute_text("${CMAKE_MATCH_2}" link_title)
    set(ref "${page_of_${target}}.html")
    if(branch_ref STREQUAL "")
      set(branch_ref "${ref}")
    endif()
    string(APPEND leaves "<section title=\"${link_title}\" ref=\"${ref}\"/>\n")
    list(APPEND listed ${target})
    string(FIND "${item}" "${match}" position)
    string(LENGTH "${match}" length)
    math(EXPR position "${position} + ${length}")
    string(SUBSTRING "${item}" ${position} -1 item)
  endwhile()
  if(label STREQUAL "")
    string(APPEND toc "${leaves}")
  elseif(NOT leaves STREQUAL "")
    string(APPEND toc "<section title=\"${label}\" ref=\"${branch_ref}\">\n${leaves}</section>\n")
  endif()
  string(FIND "${contents_text}" "<li>" at)
endwhile()

set(keywords "")
foreach(topic ${topics})
  if(NOT topic IN_LIST listed)
    string(APPEND toc "<section title=\"${title_of_${topic}}\" ref=\"${topic}.html\"/>\n")
  endif()
  string(APPEND keywords
         "      <keyword name=\"${title_of_${topic}}\" id=\"${topic}\" ref=\"${topic}.html\"/>\n")
endforeach()
string(APPEND keywords "      <keyword name=\"Contents\" id=\"contents\" ref=\"contents.html\"/>\n")

file(WRITE "${OUTPUT_DIR}/help.qhp"
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
     "<QtHelpProject version=\"1.0\">\n"
     "  <namespace>${NAMESPACE}</namespace>\n"
     "  <virtualFolder>doc</virtualFolder>\n"
     "  <filterSection>\n"
     "    <toc>\n"
     "<section title=\"${title_of_contents}\" ref=\"contents.html\">\n${toc}</section>\n"
     "    </toc>\n"
     "    <keywords>\n${keywords}    </keywords>\n"
     "    <files>\n${files}    </files>\n"
     "  </filterSection>\n"
     "</QtHelpProject>\n")
