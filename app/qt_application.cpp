#include "app/qt_application.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

namespace karsobel::qt {

namespace {

struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};

std::mutex heldMutex;
std::vector<HeldMessage> held;

// Qt gives up on the platform with a fatal message and then aborts: end the program before that.
void holdOrGiveUp(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs("karsobel: cannot open the window: no display could be reached\n", stderr);
        std::_Exit(1);
    }
    const std::lock_guard lock(heldMutex);
    held.push_back({type, context.category != nullptr ? context.category : "default", text});
}

} // namespace

std::unique_ptr<QApplication> connectedApplication(int& argc, char* argv[]) {
    const QtMessageHandler passOn = qInstallMessageHandler(holdOrGiveUp);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(passOn);
    const std::lock_guard lock(heldMutex);
    for (const HeldMessage& message : held) {
        passOn(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category.c_str()),
               message.text);
    }
    held.clear();
    return application;
}

} // namespace karsobel::qt
