// "Program Ver.": which program and which version this is.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace velkar::shell {

class InfoWindow : public QDialog {
    Q_OBJECT
  public:
    explicit InfoWindow(QWidget* parent = nullptr);
    static QStringList changeHistory();
    QListWidget* history() const { return historyList_; }
    QLabel* versionLabel() const { return versionLabel_; }

  public slots:
    void showHistory();  // appends the change history again

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* versionLabel_;
    QListWidget* historyList_;
};

}  // namespace velkar::shell
