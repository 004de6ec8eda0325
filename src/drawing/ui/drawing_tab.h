// The conversion window's "Çizim" tab: the plan view of a coordinate result
// (or of a coordinate file dropped onto the window) and the profile of a
// levelling run, with "Tümünü Göster", the elevation switch, "Çizimi Kaydet"
// (PNG, SVG, PDF; A4 or A3 landscape) and "DXF olarak kaydet".
#pragma once

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QWidget>
#include <filesystem>

#include "drawing/ui/plan_view.h"
#include "levelling/levelling.h"
#include "platform/dialogs.h"
#include "survey/survey.h"

namespace velkar::conversion {
class ConversionWindowUi;
}

namespace velkar::drawing {

class DrawingTab : public QWidget {
    Q_OBJECT
  public:
    DrawingTab(Dialogs& dialogs, QWidget* parent = nullptr);

    void showPlan(PlanScene scene);
    void showProfile(ProfileScene scene);
    bool showsProfile() const;
    PlanView* planView() const { return plan_; }
    ProfileView* profileView() const { return profile_; }
    QPushButton* fitButton() const { return fit_; }
    QCheckBox* elevationsBox() const { return elevations_; }
    QPushButton* saveDrawingButton() const { return saveDrawing_; }
    QPushButton* saveDxfButton() const { return saveDxf_; }
    // The DXF text height in metres; 0 ("otomatik"): chosen from the extent.
    QDoubleSpinBox* textHeightBox() const { return textHeight_; }

  public slots:
    void saveDrawing();  // "Çizimi Kaydet"
    void saveDxf();      // "DXF olarak kaydet"

  signals:
    void fileDropped(const QString& path);

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // The save name with the extension added when missing, after the
    // program's overwrite question; empty when the user declined.
    std::filesystem::path confirmTarget(std::filesystem::path chosen, const char* extension);

    Dialogs& dialogs_;
    QStackedWidget* stack_;
    PlanView* plan_;
    ProfileView* profile_;
    QPushButton* fit_;
    QCheckBox* elevations_;
    QPushButton* saveDrawing_;
    QPushButton* saveDxf_;
    QDoubleSpinBox* textHeight_;
};

// Joins the tab to the conversion window: shows it after a run whose result
// holds coordinates or after a levelling run, keeps the table's selection and
// the highlighted point together, and draws a coordinate file dropped onto the
// window.
class ConversionDrawing : public QObject {
    Q_OBJECT
  public:
    ConversionDrawing(conversion::ConversionWindowUi* window, Dialogs& dialogs);
    DrawingTab* tab() const { return tab_; }

    // After the action button's run.  log: the KOORDINAT run's log (or null);
    // levelling: the levelling state when the run was a levelling run.
    void afterRun(const survey::PolarSurveyLog* log, const levelling::LevellingState* levelling);
    // Draws a coordinate file (name, Y, X, Z a line) and shows the tab.
    bool showCoordinateFile(const std::filesystem::path& file);

  private:
    void show(bool visible);
    conversion::ConversionWindowUi* window_;
    Dialogs& dialogs_;
    DrawingTab* tab_;
    QMetaObject::Connection selection_;
    bool syncing_ = false;
};

}  // namespace velkar::drawing
