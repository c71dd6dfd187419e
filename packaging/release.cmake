# The latest release as packaging/changelog gives it: VELMORA_RELEASE_VERSION and
# VELMORA_RELEASE_DATE (YYYY-MM-DD), which the manual pages and the metainfo carry.
# The changelog's first line names the version, its first trailer line the date:
#   velmora (5.53) stable; urgency=medium
#    -- Oskenby Electronics <support@oskenby.example>  Wed, 09 Dec 2026 22:55:47 +0000
function(velmora_read_release changelog)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
  file(READ ${changelog} text)
  if(NOT text MATCHES "^velmora \\(([^)]+)\\)")
    message(FATAL_ERROR "${changelog}: the first line is not \"velmora (VERSION) ...\"")
  endif()
  set(VELMORA_RELEASE_VERSION ${CMAKE_MATCH_1} PARENT_SCOPE)
  if(NOT text MATCHES "\n -- [^\n]+>  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    message(FATAL_ERROR "${changelog}: no trailer line \" -- NAME <MAIL>  Day, DD Mon YYYY HH:MM:SS +ZZZZ\"")
  endif()
  set(day ${CMAKE_MATCH_1})
  set(year ${CMAKE_MATCH_3})
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(FIND months ${CMAKE_MATCH_2} month)
  if(month LESS 0)
    message(FATAL_ERROR "${changelog}: ${CMAKE_MATCH_2} is not a month")
  endif()
  math(EXPR month "${month} + 1")
  if(month LESS 10)
    set(month 0${month})
  endif()
  set(VELMORA_RELEASE_DATE ${year}-${month}-${day} PARENT_SCOPE)
endfunction()
velmora_read_release(${CMAKE_CURRENT_LIST_DIR}/changelog)
