// velkar-cli: parses the command line and wires the console front end.
#include <QCoreApplication>
#include <QGuiApplication>
#include <clocale>
#include <cstdio>
#include <memory>

#include "cli/cli.h"
#include "platform/memory.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_serial_port.h"

int main(int argc, char** argv) {
    velkar::returnLargeBuffersToSystem();
    std::vector<std::string> args(argv + 1, argv + argc);
    // Drawings need fonts and painting, but never a display.
    std::unique_ptr<QCoreApplication> app;
    if (velkar::cli::needsPainting(args)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Standard error carries one line per message box: the platform's
        // notice about a missing runtime folder is no message of the program.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
            if (!text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) {
                std::fprintf(stderr, "%s\n", qPrintable(text));
            }
        });
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // Qt sets the C library locale from the environment; the program's number
    // forms never depend on it, but keep the C library's own output neutral too.
    std::setlocale(LC_NUMERIC, "C");
    velkar::QtSerialPort port;
    velkar::QtEventPump pump;
    // A transfer waiting for the instrument sleeps in the pump until the port has data.
    QObject::connect(&port, &velkar::QtSerialPort::activity, &pump, &velkar::QtEventPump::wake);
    velkar::cli::Context ctx;
    ctx.port = &port;
    ctx.pump = &pump;
    return velkar::cli::run(args, ctx);
}
