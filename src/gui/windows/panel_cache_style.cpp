#include "panel_cache_style.h"

#include <QPainter>
#include <QStyleOptionFrame>
#include <QWidget>

void PanelCacheStyle::Install(QWidget &lineEdit)
{
    auto *style = new PanelCacheStyle;
    style->setParent(&lineEdit);
    lineEdit.setStyle(style);
}

void PanelCacheStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                    const QWidget *widget) const
{
    const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option);
    // Only a panel drawn upright at whole pixels is kept: anything else is drawn as asked.
    if (drawing_ || (element != PE_PanelLineEdit && element != PE_FrameLineEdit) || !frame ||
        painter->transform().type() > QTransform::TxTranslate || painter->device() == nullptr) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const qreal ratio = painter->device()->devicePixelRatioF();
    const Key key{element,          option->rect.size(), int(option->state), option->palette,
                  frame->lineWidth, frame->midLineWidth, ratio};
    if (panel_.isNull() || !(key == key_)) {
        QPixmap panel((QSizeF(option->rect.size()) * ratio).toSize());
        panel.setDevicePixelRatio(ratio);
        panel.fill(Qt::transparent);
        QPainter p(&panel);
        p.setFont(painter->font());
        p.setRenderHints(painter->renderHints());
        QStyleOptionFrame at(*frame);
        at.rect.moveTopLeft(QPoint(0, 0));
        drawing_ = true;
        QProxyStyle::drawPrimitive(element, &at, &p, widget);
        drawing_ = false;
        p.end();
        panel_ = panel;
        key_ = key;
    }
    painter->drawPixmap(option->rect.topLeft(), panel_);
}
