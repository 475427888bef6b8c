#include "window/qt/window_role.h"

#include "window/qt/form1.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace karsobel::qt {

namespace {

// Form1 has no meta-object of its own, so Qt asks with the class name "QWidget"; the object
// itself tells it apart. A top-level widget's accessible name is its window title.
QAccessibleInterface* form1Interface(const QString& /*className*/, QObject* object) {
    auto* const form = dynamic_cast<Form1*>(object);
    return form != nullptr ? new QAccessibleWidget(form, QAccessible::Window) : nullptr;
}

} // namespace

void reportForm1AsWindow() {
    // Qt keeps one entry per factory, however often it is installed.
    QAccessible::installFactory(form1Interface);
}

} // namespace karsobel::qt
