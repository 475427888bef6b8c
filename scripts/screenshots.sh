#!/usr/bin/env bash
# Refreshes the README's pictures of the three front ends in docs/screenshots/ from the
# end-to-end tests that take them: the Qt window, the Windows program under Wine, the web page in
# Chromium. The default, windows and web builds must be there (scripts/test.sh makes them).
set -euo pipefail
cd "$(dirname "$0")/.."
ctest --preset default -R '^qt_window_end_to_end$' --output-on-failure
ctest --preset windows -R '^win32_window_end_to_end_96dpi$' --output-on-failure
ctest --preset web -R '^web_page_end_to_end$' --output-on-failure
mkdir -p docs/screenshots
cp build/default/tests/e2e/qt_window.png docs/screenshots/qt_window.png
cp build/windows/tests/e2e/win32_window_96dpi.png docs/screenshots/windows_window.png
cp build/web/tests/web/web_page.png docs/screenshots/web_page.png
echo "docs/screenshots/ refreshed"
