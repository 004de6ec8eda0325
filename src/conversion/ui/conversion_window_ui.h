// The conversion window: instrument and output lists, the action, save,
// DL-100 settings and intermediate elevation buttons, the result table and
// the status bar.  It owns controls only; the routines are in the core and
// work on the ConversionWindow it hands them.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <functional>
#include <memory>

#include "conversion/window.h"
#include "platform/widgets/result_table_model.h"
#include "platform/widgets/result_table_view.h"

namespace velkar::conversion {

class ConversionWindowUi : public QMainWindow, public WindowHooks {
    Q_OBJECT
  public:
    ConversionWindowUi(Dialogs& dialogs, EventPump& pump, std::filesystem::path workFolder,
                       QWidget* parent = nullptr);
    ~ConversionWindowUi() override;

    // The lists, from the catalogue.
    static QStringList instrumentItems();
    static QStringList conversionItems();  // as the instrument handler lists them
    static QStringList computationItems();
    static QStringList levellingItems();

    // Controls the openers and the settings file work with.
    QComboBox* instrumentList() const { return instrumentList_; }
    QComboBox* outputList() const { return outputList_; }
    QPushButton* actionButton() const { return actionButton_; }
    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* settingsButton() const { return settingsButton_; }
    QPushButton* intermediateButton() const { return intermediateButton_; }
    ResultTableView* table() const { return resultView_; }
    // The result table and, beside it, the "Çizim" tab (page) when visible.
    QTabWidget* resultTabs() const { return tabs_; }
    void setDrawingTab(QWidget* page, bool visible);
    void setCurrentDrawingTab(QWidget* page) { tabs_->setCurrentWidget(page); }

    void setOutputText(const QString& text);
    // The mode of the action button (its caption "&Format Dönüstür" or
    // "&Hesapla"); the output list then lists what that mode runs for the
    // instrument chosen, keeping the output text when it is one of them.
    void setMode(catalogue::Mode mode);
    catalogue::Mode mode() const { return mode_; }

    ConversionWindow& core() { return *core_; }
    ResultTable& results() { return table_; }

    // What the action button runs (set by the application once the routines are wired).
    void setActionHandler(std::function<void()> f) { action_ = std::move(f); }
    void setSettingsHandler(std::function<void()> f) { settings_ = std::move(f); }
    void setIntermediateHandler(std::function<void()> f) { intermediate_ = std::move(f); }
    // Copies the texts of the controls into the core before a routine runs.
    void syncToCore();
    bool running() const { return running_; }

  public slots:
    void instrumentChoiceChanged();
    void runAction();
    void save();

    // WindowHooks
  public:
    void statusTextChanged(const std::string& text) override;
    void saveButtonEnabled(bool enabled) override;
    void intermediateButtonVisible(bool visible) override;
    void progress(std::uint64_t done, std::uint64_t total) override;

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    QComboBox* instrumentList_;
    QComboBox* outputList_;
    QPushButton* actionButton_;
    QPushButton* saveButton_;
    QPushButton* settingsButton_;
    QPushButton* intermediateButton_;
    ResultTableView* resultView_;
    QTabWidget* tabs_;
    QLabel* status_;
    QProgressBar* progress_;
    ResultTable table_;
    std::unique_ptr<ResultTableModel> model_;
    std::unique_ptr<ConversionWindow> core_;
    std::function<void()> action_;
    std::function<void()> settings_;
    std::function<void()> intermediate_;
    bool running_ = false;
    catalogue::Mode mode_ = catalogue::Mode::Convert;

    // Fills the output list for the instrument and mode; keepText: leave the
    // output text as it is when it is one of the items, else the first default.
    void fillOutputs(bool keepText);
};

}  // namespace velkar::conversion
