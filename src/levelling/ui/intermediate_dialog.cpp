#include "levelling/ui/intermediate_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "levelling/intermediate.h"
#include "platform/qt/qt_text.h"

namespace velkar::levelling {
namespace {

template <typename W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

IntermediateDifferenceDialog::IntermediateDifferenceDialog(Dialogs& dialogs,
                                                           const ResultTable& table,
                                                           QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), table_(table) {
    setWindowTitle(QStringLiteral("Ara Kot Farkı Hesabı"));
    setModal(false);
    auto* grid = new QGridLayout;
    grid->addWidget(named(new QLabel(QStringLiteral("Başlangıç Noktası")), "Label1"), 0, 0);
    start_ = named(new QLineEdit, "Text1");
    grid->addWidget(start_, 0, 1);
    grid->addWidget(named(new QLabel(QStringLiteral("Bitiş Noktası")), "Label2"), 1, 0);
    end_ = named(new QLineEdit, "Text2");
    grid->addWidget(end_, 1, 1);

    backsight_ = named(new QLabel(QStringLiteral("Geri Mira Toplamı....:")), "Label3");
    foresight_ = named(new QLabel(QStringLiteral(" İleri Mira Toplamı....:")), "Label4");
    difference_ = named(new QLabel(QStringLiteral("Kot Farkı .......: ")), "Label5");

    auto* ok = named(new QPushButton(QStringLiteral("&Tamam")), "Command1");
    auto* cancel = named(new QPushButton(QStringLiteral("&İptal")), "Command2");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &IntermediateDifferenceDialog::compute);
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(backsight_);
    layout->addWidget(foresight_);
    layout->addWidget(difference_);
    layout->addLayout(buttons);
}

void IntermediateDifferenceDialog::compute() {
    const auto r = araKotFarki(dialogs_, table_, fromQ(start_->text()), fromQ(end_->text()));
    if (!r) return;
    backsight_->setText(toQ(r->backsightLabel));
    foresight_->setText(toQ(r->foresightLabel));
    difference_->setText(toQ(r->differenceLabel));
}

}  // namespace velkar::levelling
