// "Yardım": a short Turkish guide to the program, shipped with it.
#pragma once

#include <QDialog>
#include <QTextBrowser>
#include <filesystem>

namespace velkar::shell {

class HelpWindow : public QDialog {
    Q_OBJECT
  public:
    // programFolder: where the settings file and the work files live (shown in the guide).
    explicit HelpWindow(const std::filesystem::path& programFolder, QWidget* parent = nullptr);
    QTextBrowser* page() const { return page_; }

    // The guide's text (HTML), with the program folder filled in.
    static QString guide(const std::filesystem::path& programFolder);

  private:
    QTextBrowser* page_;
};

}  // namespace velkar::shell
