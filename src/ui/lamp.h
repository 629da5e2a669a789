#pragma once

#include <QColor>
#include <QWidget>

namespace vantrel {

// A light on a window (a transport light, a meter segment): lit in its own colour, dark
// otherwise. The dark colour is shared by every lamp, so the looks change it in one place.
class Lamp : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool lit READ lit WRITE setLit)

public:
    enum class Shape { Round, Bar };

    Lamp(const QString& name, QColor litColour, Shape shape, QWidget* parent);

    bool lit() const { return lit_; }
    void setLit(bool lit);

    static QColor darkColour() { return dark_; }
    static void setDarkColour(QColor colour) { dark_ = colour; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static inline QColor dark_{0x30, 0x30, 0x30};
    QColor litColour_;
    Shape shape_;
    bool lit_ = false;
};

} // namespace vantrel
