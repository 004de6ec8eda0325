#include "drawing/ui/plan_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

#include "drawing/qt/painter.h"
#include "platform/numbers.h"
#include "platform/qt/qt_text.h"

namespace velkar::drawing {

PlanView::PlanView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("planView"));
    setMouseTracking(true);
    setMinimumSize(200, 150);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void PlanView::setScene(PlanScene scene) {
    scene_ = std::move(scene);
    highlighted_ = -1;
    labelScale_ = -1;
    labelWidths_.clear();
    fitAll();
}

void PlanView::setElevationsShown(bool shown) {
    elevations_ = shown;
    labelWidths_.clear();
    update();
}

void PlanView::fitAll() {
    transform_ = ViewTransform::fit(scene_.extent(), width(), height(), 40);
    autoFit_ = true;
    update();
}

void PlanView::highlightRow(int row) {
    highlighted_ = -1;
    if (row >= 0) {
        for (size_t i = 0; i < scene_.points.size(); ++i) {
            if (scene_.points[i].row == row) {
                highlighted_ = static_cast<int>(i);
                break;
            }
        }
    }
    // A point chosen in the table but outside the view is brought to its centre.
    if (highlighted_ >= 0 && !rect().contains(screenPosition(highlighted_).toPoint())) {
        const QPointF d = QPointF(width() / 2.0, height() / 2.0) - screenPosition(highlighted_);
        panBy(d.x(), d.y());
    }
    update();
}

QPointF PlanView::screenPosition(int i) const {
    const PlanPoint& p = scene_.points[static_cast<size_t>(i)];
    return {transform_.toScreenX(p.y), transform_.toScreenY(p.x)};
}

int PlanView::pointAt(const QPointF& pos, double radius) const {
    int best = -1;
    double bestDistance = radius * radius;
    const double y = transform_.toEasting(pos.x()), x = transform_.toNorthing(pos.y());
    const double r = radius / transform_.scale;
    for (size_t i = 0; i < scene_.points.size(); ++i) {
        const PlanPoint& p = scene_.points[i];
        if (std::fabs(p.y - y) > r || std::fabs(p.x - x) > r) continue;
        const QPointF d = screenPosition(static_cast<int>(i)) - pos;
        const double dd = d.x() * d.x() + d.y() * d.y();
        if (dd <= bestDistance) {
            bestDistance = dd;
            best = static_cast<int>(i);
        }
    }
    return best;
}

void PlanView::panBy(double dx, double dy) {
    autoFit_ = false;
    transform_.left -= dx / transform_.scale;
    transform_.top += dy / transform_.scale;
    update();
}

void PlanView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (scene_.points.empty()) return;
    PlanPaintOptions o;
    o.elevations = elevations_;
    o.highlighted = highlighted_;
    o.font = font();
    if (labelWidths_.size() != scene_.points.size()) {
        labelWidths_ = labelWidths(scene_, o.font, elevations_);
        labelScale_ = -1;
    }
    if (labelScale_ != transform_.scale || labelElevations_ != elevations_) {
        labels_ = labelsFor(scene_, transform_.scale, o.font, elevations_, labelWidths_);
        labelScale_ = transform_.scale;
        labelElevations_ = elevations_;
    }
    paintPlan(p, scene_, transform_, QRectF(rect()), o, labels_);
    QFont big = font();
    big.setBold(true);
    paintNorthArrow(p, QPointF(width() - 30, 10), 50, big);
    paintScaleBar(p, transform_, QPointF(20, height() - 14), width() / 4.0, font());
}

void PlanView::resizeEvent(QResizeEvent*) {
    if (autoFit_) transform_ = ViewTransform::fit(scene_.extent(), width(), height(), 40);
}

void PlanView::wheelEvent(QWheelEvent* e) {
    const double factor = std::pow(1.0015, e->angleDelta().y());
    transform_.zoomAbout(factor, e->position().x(), e->position().y());
    autoFit_ = false;
    update();
    e->accept();
}

void PlanView::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    pressed_ = true;
    dragging_ = false;
    pressPos_ = lastPos_ = e->position();
}

void PlanView::mouseMoveEvent(QMouseEvent* e) {
    if (pressed_) {
        if (!dragging_ && (e->position() - pressPos_).manhattanLength() > 4) dragging_ = true;
        if (dragging_) {
            const QPointF d = e->position() - lastPos_;
            lastPos_ = e->position();
            panBy(d.x(), d.y());
        }
        return;
    }
    const int i = pointAt(e->position());
    if (i < 0) {
        QToolTip::hideText();
        return;
    }
    const PlanPoint& pt = scene_.points[static_cast<size_t>(i)];
    QString text = toQ(pt.name) + QStringLiteral("\nY: ") +
                   QString::fromLatin1(fixedText(pt.y, 3).c_str()).trimmed() +
                   QStringLiteral("\nX: ") +
                   QString::fromLatin1(fixedText(pt.x, 3).c_str()).trimmed();
    if (pt.hasZ)
        text += QStringLiteral("\nZ: ") + QString::fromLatin1(fixedText(pt.z, 3).c_str()).trimmed();
    QToolTip::showText(e->globalPosition().toPoint(), text, this);
}

void PlanView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    if (dragging_) return;
    const int i = pointAt(e->position());
    if (i < 0) return;
    highlighted_ = i;
    update();
    emit pointClicked(i, scene_.points[static_cast<size_t>(i)].row);
}

ProfileView::ProfileView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("profileView"));
    setMinimumSize(200, 150);
}

void ProfileView::setScene(ProfileScene scene) {
    scene_ = std::move(scene);
    update();
}

void ProfileView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintProfile(p, scene_, QRectF(rect()).adjusted(6, 6, -6, -6), font());
}

}  // namespace velkar::drawing
