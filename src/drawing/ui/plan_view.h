// The plan view and the profile view: thin widgets that paint the core's
// scenes.  The plan view zooms with the wheel about the cursor, pans by
// dragging, shows a point's name and coordinates on hover, and reports a
// click on a point.
#pragma once

#include <QWidget>
#include <vector>

#include "drawing/profile.h"
#include "drawing/scene.h"

namespace velkar::drawing {

class PlanView : public QWidget {
    Q_OBJECT
  public:
    explicit PlanView(QWidget* parent = nullptr);

    void setScene(PlanScene scene);
    const PlanScene& scene() const { return scene_; }
    const ViewTransform& transform() const { return transform_; }
    void setElevationsShown(bool shown);
    bool elevationsShown() const { return elevations_; }
    // Highlights the point of a table row (none when no point has it).
    void highlightRow(int row);
    int highlighted() const { return highlighted_; }
    // The point drawn nearest to a widget position within radius pixels; -1: none.
    int pointAt(const QPointF& pos, double radius = 8) const;
    // Moves the view by a number of pixels (as a drag does).
    void panBy(double dx, double dy);
    QPointF screenPosition(int point) const;

  public slots:
    void fitAll();  // "Tümünü Göster"

  signals:
    // A click on a point: its index in the scene and its table row (-1: none).
    void pointClicked(int index, int row);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    PlanScene scene_;
    ViewTransform transform_;
    bool autoFit_ = true;  // fitted to the widget until the user pans or zooms
    bool elevations_ = true;
    int highlighted_ = -1;
    // Labels chosen for a scale; a pan keeps them.
    std::vector<bool> labels_;
    std::vector<float> labelWidths_;  // measured once per scene, font and elevation switch
    double labelScale_ = -1;
    bool labelElevations_ = true;
    QPointF pressPos_, lastPos_;
    bool pressed_ = false, dragging_ = false;
};

class ProfileView : public QWidget {
    Q_OBJECT
  public:
    explicit ProfileView(QWidget* parent = nullptr);
    void setScene(ProfileScene scene);
    const ProfileScene& scene() const { return scene_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ProfileScene scene_;
};

}  // namespace velkar::drawing
