// Editable drop-down lists as the program's windows use them: the user picks
// an item or types any text.  Only picking an item (from the list, or Enter on
// a text that names one) is a "choice" (QComboBox::activated); typing and then
// leaving the box is not, and Enter never adds the typed text as an item.
#pragma once

class QComboBox;

namespace velkar {

void makeEditableList(QComboBox* combo);

}  // namespace velkar
