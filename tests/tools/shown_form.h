#pragma once

#include "window/qt/form1.h"

#include <QLineEdit>
#include <QPushButton>

// A shown, active Form1 and its controls, found as a user's tools would: by name.
struct ShownForm {
    ShownForm();

    karsobel::qt::Form1 form;
    QLineEdit* Text1;
    QPushButton* Command1;
    QLineEdit* Text2;
};
