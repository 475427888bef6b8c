#include "app/command_line.h"
#include "app/qt_application.h"
#include "window/qt/form1.h"

int main(int argc, char* argv[]) {
    if (const auto status = karsobel::qt::answerCommandLine(argc, argv)) {
        return *status;
    }
    const auto application = karsobel::qt::connectedApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Karsobel"));
    QApplication::setApplicationVersion(QStringLiteral(KARSOBEL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(KARSOBEL_APP_ID));
    karsobel::qt::Form1 form;
    form.show();
    return QApplication::exec();
}
