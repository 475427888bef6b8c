// Prints the form's HTML, for the page's build to write into the page.
#include "window/web/form_html.h"

#include <cstdio>

int main() {
    const std::string html = karsobel::web::formHtml();
    // A whole line: the runtime writes its output out line by line.
    return std::puts(html.c_str()) < 0 ? 1 : 0;
}
