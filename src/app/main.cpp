// velkar: the window front end.
#include <QApplication>
#include <clocale>

#include "platform/clock.h"
#include "platform/memory.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/widgets/translations.h"
#include "platform/widgets/widget_dialogs.h"
#include "shell/ui/main_window.h"

int main(int argc, char** argv) {
    velkar::returnLargeBuffersToSystem();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VELKAR"));
    std::setlocale(LC_NUMERIC, "C");
    velkar::installQtTurkish();  // file boxes and standard buttons in Turkish when installed

    velkar::WidgetDialogs dialogs;
    velkar::QtSerialPort port;
    velkar::QtEventPump pump;
    QObject::connect(&port, &velkar::QtSerialPort::activity, &pump, &velkar::QtEventPump::wake);
    velkar::DesktopProcessLauncher launcher;
    velkar::SteadyClock clock;

    velkar::shell::MainWindow window(
        {dialogs, port, pump, launcher, clock, velkar::programFolder()});
    dialogs.setParent(&window);
    window.show();
    return app.exec();
}
