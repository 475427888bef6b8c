#pragma once

#include <QWidget>

namespace karsobel::qt {

// Lets a screen reader speak a text while the focus stays where it is. Qt 6.4 has no announcement
// event, but screen readers (Orca among them) speak a notification as it is shown; this widget is
// reported as one (see accessible_roles.h). It has no size and takes no focus, so nothing changes
// on screen or in the tab order.
class Announcement final : public QWidget {
public:
    explicit Announcement(QWidget* parent);

    // Shown anew with `text` as its name, which is what the screen reader speaks.
    void announce(const QString& text);
};

} // namespace karsobel::qt
