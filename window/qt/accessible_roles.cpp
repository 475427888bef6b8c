#include "window/qt/accessible_roles.h"

#include "window/qt/announcement.h"
#include "window/qt/form1.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace karsobel::qt {

namespace {

// Neither class has a meta-object of its own, so Qt asks with the class name "QWidget"; the
// object itself tells them apart. A top-level widget's accessible name is its window title.
QAccessibleInterface* describedRole(const QString& /*className*/, QObject* object) {
    if (auto* const form = dynamic_cast<Form1*>(object)) {
        return new QAccessibleWidget(form, QAccessible::Window);
    }
    if (auto* const announcement = dynamic_cast<Announcement*>(object)) {
        return new QAccessibleWidget(announcement, QAccessible::Notification);
    }
    return nullptr;
}

} // namespace

void installAccessibleRoles() {
    // Qt keeps one entry per factory, however often it is installed.
    QAccessible::installFactory(describedRole);
}

} // namespace karsobel::qt
