# Writes the page: TEMPLATE with the form's HTML that MARKUP prints (run by NODE), the STYLE and the
# PAGE_INPUT script in place of their marks, into PAGE.
execute_process(COMMAND ${NODE} ${MARKUP} OUTPUT_VARIABLE form RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${MARKUP} failed: ${failed}")
endif()
file(READ ${TEMPLATE} page)
file(READ ${STYLE} style)
file(READ ${PAGE_INPUT} page_input)
string(REPLACE "@KARSOBEL_FORM@" "${form}" page "${page}")
string(REPLACE "@KARSOBEL_STYLE@" "${style}" page "${page}")
string(REPLACE "@KARSOBEL_PAGE_INPUT@" "${page_input}" page "${page}")
file(WRITE ${PAGE} "${page}")
