#include "window/qt/form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Karsobel"));
    QApplication::setApplicationVersion(QStringLiteral(KARSOBEL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(KARSOBEL_APP_ID));
    karsobel::qt::Form1 form;
    form.show();
    return QApplication::exec();
}
