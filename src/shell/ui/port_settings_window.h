// "Port Ayarları": protocol, baud, parity, data bits and stop bits.  Neither
// button checks or undoes anything: the lists keep what the user picked or
// typed, and the next transfer opens the port with it.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QPushButton>

#include "link/port.h"

namespace velkar::shell {

using link::PortSettingsTexts;

class PortSettingsWindow : public QDialog {
    Q_OBJECT
  public:
    explicit PortSettingsWindow(QWidget* parent = nullptr);
    PortSettingsTexts texts() const;
    void setTexts(const PortSettingsTexts& t);

    QComboBox* combo(int n) const { return combos_[n - 1]; }  // Combo1..Combo5

  private:
    QComboBox* combos_[5];
};

}  // namespace velkar::shell
