#include "tests/tools/qt_headless.h"

#include <QByteArray>
#include <QtGlobal>

void useOffscreenUnlessPlatformSet() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}
