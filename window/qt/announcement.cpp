#include "window/qt/announcement.h"

#include <QString>

namespace karsobel::qt {

Announcement::Announcement(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0);
    hide();
}

void Announcement::announce(const QString& text) {
    hide();
    setAccessibleName(text);
    show();
}

} // namespace karsobel::qt
