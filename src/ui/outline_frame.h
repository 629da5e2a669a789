#pragma once

#include <QColor>
#include <QLabel>
#include <QWidget>

namespace vantrel {

// An outline the looks draw on a window, beneath its controls: the edge `ShapeBorder` or a frame
// `Shape2`/`Shape3` element. A one-pixel line just inside its rectangle, square or with rounded
// corners; it takes no clicks.
class OutlineFrame : public QWidget {
    Q_OBJECT

public:
    OutlineFrame(const QString& name, QRect where, QWidget* parent);

    QColor colour() const { return colour_; }
    void setColour(QColor colour);
    // The corner radius in pixels; 0 draws a square outline.
    void setRadius(double radius);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_ = Qt::white;
    double radius_ = 0.0;
};

// The looks' layers of a window, made once its controls are built: a frame element around a
// group of controls, then the edge, then the background picture, each placed beneath the rest.
OutlineFrame* addFrame(QWidget& window, const QString& array, int index, QRect where);
OutlineFrame* addEdge(QWidget& window);
QLabel* addImageBack(QWidget& window);

} // namespace vantrel
