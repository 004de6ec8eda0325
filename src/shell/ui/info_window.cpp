#include "shell/ui/info_window.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace velkar::shell {

QStringList InfoWindow::changeHistory() {
    return {
        QString::fromUtf8(
            "Tüm cihazlar için veri aktarımı çalışır hale getirildi.  12.03.2005  Ver. 2.13"),
        QString::fromUtf8("GEOCAD için YDE ve YMK formatları eklendi.  02.05.2005"),
        QString::fromUtf8("Bakış (BKB) satırı eklendi.  21.05.2005"),
        QString::fromUtf8("Nivelman kot hesabı düzeltildi.  11.07.2005  Ver. 2.14"),
        QString::fromUtf8(
            "EGHAS YDE verisinde PP bir kaydırılarak düzeltildi.  04.08.2005  Ver. 2.14.1"),
        QString::fromUtf8("Seçerek kayıt etme eklendi.  19.09.2005  Ver. 2.14.1"),
        QString::fromUtf8("12 haneli koordinatlar eklendi.  27.10.2005  Ver. 2.14.1"),
    };
}

InfoWindow::InfoWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("InfoWindow"));
    setWindowTitle(QStringLiteral("VELKAR"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* frame = new QGroupBox(this);
    auto* name = new QLabel(
        QString::fromUtf8("<b>VELKAR</b><br>Arazi ölçme verisi aktarma ve hesap programı"), frame);
    auto* maker =
        new QLabel(QString::fromUtf8("Total station, sayısal nivo ve bilgisayar arasında<br>"
                                     "RS-232 veri aktarımı; NETCAD, EGHAS, GEOCAD çıktıları."),
                   frame);
    versionLabel_ = new QLabel(QStringLiteral("Ver. 2.14.1"), frame);
    versionLabel_->setObjectName(QStringLiteral("Label13"));
    versionLabel_->setCursor(Qt::PointingHandCursor);
    versionLabel_->installEventFilter(this);
    auto* fl = new QVBoxLayout(frame);
    fl->addWidget(name);
    fl->addWidget(maker);
    fl->addWidget(versionLabel_);

    historyList_ = new QListWidget(this);
    historyList_->setObjectName(QStringLiteral("List1"));
    historyList_->setVisible(false);
    historyList_->setMinimumWidth(520);

    auto* ok = new QPushButton(QStringLiteral("TAMAM"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    connect(ok, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(historyList_, 1);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    layout->addLayout(row);
}

void InfoWindow::showHistory() {
    historyList_->addItems(changeHistory());
    historyList_->setVisible(true);
}

bool InfoWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == versionLabel_ && event->type() == QEvent::MouseButtonRelease) {
        showHistory();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace velkar::shell
