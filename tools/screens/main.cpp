// velkar-screens: grabs every window of the program into PNG files, so that
// their look can be checked without clicking through them.
//   velkar-screens OUTDIR [SAMPLE-RAW-FILE of the GTS-600/700]
#include <QApplication>
#include <QDir>
#include <clocale>

#include "conversion/ui/conversion_window_ui.h"
#include "levelling/ui/dl_settings_dialog.h"
#include "platform/clock.h"
#include "platform/console/console_dialogs.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/widgets/widget_dialogs.h"
#include "shell/ui/info_window.h"
#include "shell/ui/main_window.h"
#include "shell/ui/port_settings_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    velkar::ConsoleDialogs dialogs;
    velkar::QtSerialPort port;
    velkar::QtEventPump pump;
    velkar::DesktopProcessLauncher launcher;
    velkar::SteadyClock clock;
    velkar::shell::MainWindow w(
        {dialogs, port, pump, launcher, clock, QDir::tempPath().toStdString() + "/velkar-screens"});
    w.show();
    w.tick();
    auto save = [&](QWidget* widget, const char* name) {
        widget->show();
        widget->adjustSize();
        QApplication::processEvents();
        widget->grab().save(out + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
    };
    save(&w, "main");
    save(w.portSettings(), "port-settings");
    w.formatButtonClicked();
    // A sample raw file through the action button, so that the table shows rows.
    if (argc > 2) {
        const std::string sample = argv[2];
        dialogs.setFileAnswer([sample](const velkar::FileDialogRequest& r) {
            velkar::FileDialogResult result;
            if (r.mode == velkar::FileDialogMode::Open) result.path = sample;
            return result;
        });
        w.conversionWindow()->instrumentList()->setEditText(QStringLiteral("GTS-600 / 700"));
        w.conversionWindow()->instrumentChoiceChanged();
        w.conversionWindow()->outputList()->setEditText(QStringLiteral("YDE-NETCAD"));
        w.conversionWindow()->runAction();
    }
    w.conversionWindow()->show();
    w.conversionWindow()->resize(1000, 420);
    QApplication::processEvents();
    w.conversionWindow()->grab().save(out + QStringLiteral("/conversion.png"));
    save(w.dlSettings(), "dl100-settings");
    w.showInformation();
    w.infoWindow()->showHistory();
    save(w.infoWindow(), "information");
    return 0;
}
