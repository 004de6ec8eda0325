#include "drawing/ui/drawing_tab.h"

#include <QDate>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QTableView>
#include <QVBoxLayout>

#include "conversion/ui/conversion_window_ui.h"
#include "drawing/coordinate_file.h"
#include "drawing/dxf.h"
#include "drawing/qt/painter.h"
#include "drawing/result_scene.h"
#include "platform/cp1254.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_text.h"

namespace velkar::drawing {
namespace {

QString T(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace

DrawingTab::DrawingTab(Dialogs& dialogs, QWidget* parent) : QWidget(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("drawingTab"));
    setAcceptDrops(true);
    fit_ = new QPushButton(T("Tümünü Göster"), this);
    fit_->setObjectName(QStringLiteral("fitAll"));
    elevations_ = new QCheckBox(T("Kotlar"), this);
    elevations_->setObjectName(QStringLiteral("showElevations"));
    elevations_->setChecked(true);
    saveDrawing_ = new QPushButton(T("Çizimi Kaydet"), this);
    saveDrawing_->setObjectName(QStringLiteral("saveDrawing"));
    saveDxf_ = new QPushButton(T("DXF olarak kaydet"), this);
    saveDxf_->setObjectName(QStringLiteral("saveDxf"));
    textHeight_ = new QDoubleSpinBox(this);
    textHeight_->setObjectName(QStringLiteral("dxfTextHeight"));
    textHeight_->setRange(0, 1000);
    textHeight_->setDecimals(2);
    textHeight_->setSingleStep(0.1);
    textHeight_->setSuffix(QStringLiteral(" m"));
    textHeight_->setSpecialValueText(T("otomatik"));  // 0: by the drawing's extent
    textHeight_->setToolTip(T("DXF yazı yüksekliği"));
    plan_ = new PlanView(this);
    profile_ = new ProfileView(this);
    stack_ = new QStackedWidget(this);
    stack_->addWidget(plan_);
    stack_->addWidget(profile_);

    auto* bar = new QHBoxLayout;
    bar->addWidget(fit_);
    bar->addWidget(elevations_);
    bar->addStretch(1);
    bar->addWidget(saveDrawing_);
    bar->addWidget(textHeight_);
    bar->addWidget(saveDxf_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(bar);
    layout->addWidget(stack_, 1);

    connect(fit_, &QPushButton::clicked, plan_, &PlanView::fitAll);
    connect(elevations_, &QCheckBox::toggled, plan_, &PlanView::setElevationsShown);
    connect(saveDrawing_, &QPushButton::clicked, this, &DrawingTab::saveDrawing);
    connect(saveDxf_, &QPushButton::clicked, this, &DrawingTab::saveDxf);
}

void DrawingTab::showPlan(PlanScene scene) {
    stack_->setCurrentWidget(plan_);
    plan_->setScene(std::move(scene));
    for (QWidget* w : std::initializer_list<QWidget*>{fit_, elevations_, saveDxf_, textHeight_}) {
        w->setVisible(true);
    }
}

void DrawingTab::showProfile(ProfileScene scene) {
    stack_->setCurrentWidget(profile_);
    profile_->setScene(std::move(scene));
    for (QWidget* w : std::initializer_list<QWidget*>{fit_, elevations_, saveDxf_, textHeight_}) {
        w->setVisible(false);
    }
}

bool DrawingTab::showsProfile() const {
    return stack_->currentWidget() == profile_;
}

std::filesystem::path DrawingTab::confirmTarget(std::filesystem::path chosen,
                                                const char* extension) {
    if (!chosen.has_extension()) chosen.replace_extension(extension);
    std::error_code ec;
    if (std::filesystem::exists(chosen, ec)) {
        const MessageResult answer = dialogs_.message(
            {pathText(chosen) + cp1254(" zaten var.\rDeğiştirmek istiyor musunuz?"),
             cp1254("Kayıt Et"), MessageIcon::Question, MessageButtons::OkCancel});
        if (answer != MessageResult::Ok) return {};
    }
    return chosen;
}

void DrawingTab::saveDrawing() {
    FileDialogRequest request;
    request.title = cp1254("Çizimi Kaydet");
    request.filter =
        "PNG A4|*.png|PNG A3|*.png|SVG A4|*.svg|SVG A3|*.svg|PDF A4|*.pdf|PDF A3|*.pdf|";
    request.mode = FileDialogMode::Save;
    const FileDialogResult chosen = dialogs_.chooseFile(request);
    if (chosen.path.empty()) return;
    const int index = std::max(1, chosen.filterIndex);
    const char* const extensions[] = {".png", ".svg", ".pdf"};
    // The filter pair chooses kind and page; a name ending in .png, .svg or
    // .pdf says the kind itself.
    DrawingFile kind = static_cast<DrawingFile>(std::min(2, (index - 1) / 2));
    const PageFormat page = index % 2 == 0 ? PageFormat::A3 : PageFormat::A4;
    drawingFileOf(chosen.path, kind);
    const std::filesystem::path target =
        confirmTarget(chosen.path, extensions[static_cast<int>(kind)]);
    if (target.empty()) return;
    const QString date = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    std::string error;
    const bool ok =
        showsProfile()
            ? exportProfile(profile_->scene(), target, kind, page, date, error)
            : exportPlan(plan_->scene(), plan_->elevationsShown(), target, kind, page, date, error);
    if (!ok) dialogs_.error(pathText(target) + cp1254(" yazılamadı: ") + error);
}

void DrawingTab::saveDxf() {
    FileDialogRequest request;
    request.title = cp1254("DXF olarak kaydet");
    request.filter = "DXF (.dxf)|*.dxf|";
    request.mode = FileDialogMode::Save;
    const FileDialogResult chosen = dialogs_.chooseFile(request);
    if (chosen.path.empty()) return;
    const std::filesystem::path target = confirmTarget(chosen.path, ".dxf");
    if (target.empty()) return;
    std::string error;
    if (!writeSceneDxf(plan_->scene(), target, textHeight_->value(), error)) {
        dialogs_.error(pathText(target) + cp1254(" yazılamadı: ") + error);
        return;
    }
    dialogs_.info(std::to_string(plan_->scene().points.size()) + cp1254(" nokta ") +
                      pathText(target) + cp1254(" dosyasına yazıldı."),
                  cp1254("İşlem Sonu"));
}

void DrawingTab::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void DrawingTab::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile()) return;
    event->acceptProposedAction();
    emit fileDropped(urls.front().toLocalFile());
}

ConversionDrawing::ConversionDrawing(conversion::ConversionWindowUi* window, Dialogs& dialogs)
    : QObject(window), window_(window), dialogs_(dialogs) {
    tab_ = new DrawingTab(dialogs, window);
    tab_->setVisible(false);
    // A raw file dropped on the window runs as if picked (the window's own drop);
    // a coordinate file dropped on the drawing tab is drawn.
    connect(tab_, &DrawingTab::fileDropped, this,
            [this](const QString& path) { showCoordinateFile(qToPath(path)); });
    // A click on a point selects its table row.
    connect(tab_->planView(), &PlanView::pointClicked, this, [this](int, int row) {
        if (row < 0) return;
        syncing_ = true;
        window_->table()->selectRow(row);
        window_->table()->scrollTo(window_->table()->model()->index(row, 0));
        syncing_ = false;
    });
}

void ConversionDrawing::show(bool visible) {
    window_->setDrawingTab(tab_, visible);
    // Selecting a row highlights its point (the table's selection model is
    // looked up afresh: the table may have been given another model).
    QObject::disconnect(selection_);
    if (!visible) return;
    selection_ =
        connect(window_->table()->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this](const QModelIndex& current) {
                    if (!syncing_)
                        tab_->planView()->highlightRow(current.isValid() ? current.row() : -1);
                });
}

void ConversionDrawing::afterRun(const survey::PolarSurveyLog* log,
                                 const levelling::LevellingState* levelling) {
    const conversion::ConversionWindow& core = window_->core();
    if (levelling) {
        ProfileScene scene = buildProfile(levelling->profile);
        scene.title = pathText(core.dialog.fileName.filename());
        const bool any = !scene.empty();
        if (any) tab_->showProfile(std::move(scene));
        show(any);
        return;
    }
    if (!resultHoldsCoordinates(core.request.output)) {
        show(false);
        return;
    }
    PlanScene scene =
        core.request.output && core.request.output->id == catalogue::OutputId::Coordinates && log
            ? sceneFromSurvey(*log)
            : sceneFromTable(window_->results(), axisOrderOf(core.request.output));
    if (!core.inputsRead.empty()) scene.title = pathText(core.inputsRead.front().filename());
    const bool any = !scene.points.empty();
    if (any) tab_->showPlan(std::move(scene));
    show(any);
}

bool ConversionDrawing::showCoordinateFile(const std::filesystem::path& file) {
    PlanScene scene;
    std::string error;
    if (!readCoordinateScene(file, AxisOrder::NameYXZ, scene, error)) {
        dialogs_.error(pathText(file) + cp1254(" okunamadı: ") + error);
        return false;
    }
    if (scene.points.empty()) {
        dialogs_.error(pathText(file) + cp1254(" içinde koordinat satırı bulunamadı."));
        return false;
    }
    tab_->showPlan(std::move(scene));
    show(true);
    window_->setCurrentDrawingTab(tab_);
    return true;
}

}  // namespace velkar::drawing
