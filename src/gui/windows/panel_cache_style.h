#pragma once

#include <QPixmap>
#include <QProxyStyle>

// The style of a line edit whose text changes with every message. Its text is repainted with its
// frame, and the style draws that frame (an antialiased outline and an inner shadow across the
// whole width) at several times the cost of the text. This style draws the panel once for a size,
// state and palette, keeps it, and stamps it at later paints; everything else it leaves to the
// application's style.
class PanelCacheStyle final : public QProxyStyle {
public:
    // Owned by the widget; set before any style sheet, which then draws through it.
    static void Install(QWidget &lineEdit);

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override;

private:
    struct Key {
        PrimitiveElement element;
        QSize size;
        int state;
        QPalette palette; // by its colours: a style sheet hands every paint a palette of its own
        int lineWidth, midLineWidth;
        qreal ratio;
        bool operator==(const Key &o) const
        {
            return element == o.element && size == o.size && state == o.state && palette == o.palette &&
                   lineWidth == o.lineWidth && midLineWidth == o.midLineWidth && ratio == o.ratio;
        }
    };
    mutable Key key_{};
    mutable QPixmap panel_;
    mutable bool drawing_ = false; // the panel of the application style draws its frame through this
};
