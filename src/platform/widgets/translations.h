// Qt's own texts (the buttons and labels of file boxes and message boxes) in
// Turkish, from the translations that come with Qt.
#pragma once

#include <QString>

namespace velkar {

// Installs Qt's Turkish translation from folder (empty: the folder of the Qt
// installation).  Without the translation file the program keeps Qt's
// English texts: false, and nothing said.
bool installQtTurkish(const QString& folder = {});

}  // namespace velkar
