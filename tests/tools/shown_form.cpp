#include "tests/tools/shown_form.h"

#include <QTest>

ShownForm::ShownForm()
    : Text1(form.findChild<QLineEdit*>("Text1")),
      Command1(form.findChild<QPushButton*>("Command1")),
      Text2(form.findChild<QLineEdit*>("Text2")) {
    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form)) {
        qFatal("Form1 did not become active");
    }
}
