#pragma once

#include "route_maker.h"

#include <QDialog>
#include <QImage>
#include <QWidget>

#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

// The board in small, as the route dialog shows it: the cells of the maze
// white, the ring and the cells left out grey, the openings the chosen
// sides offer tinted (start red, goal blue) and the two chosen openings
// marked. A press anywhere picks the opening nearest to it, so that even a
// 400 x 400 board drawn smaller than a pixel a cell can be pointed at.
class RouteEndsPicture : public QWidget {
    Q_OBJECT

public:
    explicit RouteEndsPicture(QWidget* parent = nullptr);

    void setGrid(const RouteMaker& maker);
    void setCandidates(const std::vector<RouteCell>& starts, const std::vector<RouteCell>& goals);
    void setEnds(std::optional<RouteCell> start, std::optional<RouteCell> goal);
    // The opening nearest to a point of the widget.
    std::optional<RouteCell> openingAt(QPoint point) const;
    // Where a cell's centre lies on the widget.
    QPoint centreOf(RouteCell cell) const;

    QSize sizeHint() const override;

signals:
    void openingPressed(RouteCell cell);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void paintCells();
    double scale() const;
    QPointF origin() const;

    int width_ = 0;
    int height_ = 0;
    QImage cells_; // one pixel a cell, the ring included
    QImage shown_; // cells_ with the candidates tinted
    std::vector<RouteCell> openings_;
    std::vector<RouteCell> starts_;
    std::vector<RouteCell> goals_;
    std::optional<RouteCell> start_;
    std::optional<RouteCell> goal_;
};

// "答えの道を自動で作る": the two ends of the route (one of the ready pairs, or
// two openings picked on the picture), its length as a share of the maze's
// cells and how much it winds. It only collects the settings; the window
// makes the route.
class TFRoute : public QDialog {
    Q_OBJECT

public:
    explicit TFRoute(QWidget* parent = nullptr);

    // Shows the board of `maker` and `settings`. Chosen ends that are not
    // openings of this board fall back to the first pair, as does the pair
    // to the centre room on a board without one.
    void ShowRoute(const RouteMaker& maker, const RouteSettings& settings);
    RouteSettings ReadRoute() const;
    // ShowRoute, then the dialog modally: the settings on OK, nothing on Cancel.
    std::optional<RouteSettings> AskRoute(const RouteMaker& maker, const RouteSettings& settings);
    // As a press on the picture at the opening: the start, then the goal,
    // then the start again; picking makes the ends the chosen ones.
    void PickOpening(RouteCell cell);

    QComboBox* CBEnds = nullptr;
    QComboBox* CBLength = nullptr;
    QSpinBox* SELength = nullptr;
    QSlider* SLTwist = nullptr;
    RouteEndsPicture* Picture = nullptr;
    QLabel* LbHint = nullptr;
    QLabel* LbTarget = nullptr;
    QPushButton* BtOK = nullptr;
    QPushButton* BtCancel = nullptr;

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslateUi();
    void fillEnds();
    void endsChanged();
    void lengthChanged();
    // The ends shown by the combo: a ready pair, or the picked ones (-1).
    int presetIndex() const;

    const RouteMaker* maker_ = nullptr;
    std::optional<RouteCell> start_;
    std::optional<RouteCell> goal_;
    bool pickGoal_ = false;

    QLabel* LbEnds = nullptr;
    QLabel* LbLength = nullptr;
    QLabel* LbTwist = nullptr;
    QLabel* LbStraight = nullptr;
    QLabel* LbWinding = nullptr;
};
