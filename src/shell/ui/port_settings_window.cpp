#include "shell/ui/port_settings_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "platform/qt/qt_text.h"
#include "platform/widgets/editable_list.h"

namespace velkar::shell {

PortSettingsWindow::PortSettingsWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PortSettingsWindow"));
    setWindowTitle(QString::fromUtf8("Port Ayarları"));
    setModal(false);
    const char* labels[5] = {"Protokol", "Baud", "Parity", "Data", "Stop"};
    const QStringList items[5] = {
        {QStringLiteral("ACK / NAK"), QStringLiteral("ONE WAY")},
        {QStringLiteral("1200"), QStringLiteral("2400"), QStringLiteral("4800"),
         QStringLiteral("9600"), QStringLiteral("19200")},
        {QStringLiteral("NONE"), QStringLiteral("ODD"), QStringLiteral("EVEN")},
        {QStringLiteral("7"), QStringLiteral("8")},
        {QStringLiteral("1"), QStringLiteral("2")}};
    const char* initial[5] = {"ACK / NAK", "9600", "NONE", "8", "1"};
    auto* grid = new QGridLayout(this);
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel(QString::fromLatin1(labels[i]), this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        combos_[i] = new QComboBox(this);
        combos_[i]->setObjectName(QStringLiteral("Combo%1").arg(i + 1));
        makeEditableList(combos_[i]);
        combos_[i]->addItems(items[i]);
        combos_[i]->setEditText(QString::fromLatin1(initial[i]));
        label->setBuddy(combos_[i]);
        grid->addWidget(label, i, 0);
        grid->addWidget(combos_[i], i, 1);
    }
    auto* ok = new QPushButton(QStringLiteral("&Tamam"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    auto* cancel = new QPushButton(QStringLiteral("&Iptal"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 5, 0, 1, 2);
    connect(ok, &QPushButton::clicked, this, &QDialog::hide);
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
}

PortSettingsTexts PortSettingsWindow::texts() const {
    return {fromQ(combos_[0]->currentText()), fromQ(combos_[1]->currentText()),
            fromQ(combos_[2]->currentText()), fromQ(combos_[3]->currentText()),
            fromQ(combos_[4]->currentText())};
}

void PortSettingsWindow::setTexts(const PortSettingsTexts& t) {
    combos_[0]->setEditText(toQ(t.protocol));
    combos_[1]->setEditText(toQ(t.baud));
    combos_[2]->setEditText(toQ(t.parity));
    combos_[3]->setEditText(toQ(t.dataBits));
    combos_[4]->setEditText(toQ(t.stopBits));
}

}  // namespace velkar::shell
