// "Ara Kot Farkı Hesabı": the intermediate elevation difference dialog that the
// conversion window's "Ara KF &Hesabı" button shows beside it (not modal).  It
// works on the result table the notebook filled; the sums are done by
// araKotFarki.  Controls carry their names as objectName (Label1..Label5,
// Text1, Text2, Command1, Command2).
#pragma once

#include <QDialog>

#include "platform/dialogs.h"
#include "platform/result_table.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace velkar::levelling {

class IntermediateDifferenceDialog : public QDialog {
    Q_OBJECT
  public:
    // dialogs shows the messages for empty boxes; table is the conversion
    // window's result table, whose rows also tell which readings the run used.
    IntermediateDifferenceDialog(Dialogs& dialogs, const ResultTable& table,
                                 QWidget* parent = nullptr);

    // "&Tamam": checks the boxes and shows the three results.
    void compute();

  private:
    Dialogs& dialogs_;
    const ResultTable& table_;
    QLineEdit* start_;
    QLineEdit* end_;
    QLabel* backsight_;
    QLabel* foresight_;
    QLabel* difference_;
};

}  // namespace velkar::levelling
