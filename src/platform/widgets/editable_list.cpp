#include "platform/widgets/editable_list.h"

#include <QComboBox>
#include <QLineEdit>

namespace velkar {

void makeEditableList(QComboBox* combo) {
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // QComboBox treats leaving its box with a text that names another item as
    // a choice.  Here that is no choice (the instrument handlers would run on
    // a mere focus change, even while the window is being destroyed).
    QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
}

}  // namespace velkar
