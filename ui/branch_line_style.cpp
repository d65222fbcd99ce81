#include "ui/branch_line_style.h"

#include <QPainter>
#include <QStyleOption>

namespace sumbrook::ui {

void TBranchLineStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                     const QWidget* widget) const
{
    if (element != PE_IndicatorBranch) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const QRect& r = option->rect;
    const QPoint mid = r.center();
    // Lines stop short of a node's expand mark, which the style draws on top.
    const int gap = option->state & State_Children ? 5 : 0;

    painter->save();
    painter->setPen(QPen(option->palette.color(QPalette::Dark), 1, Qt::DotLine));
    if (option->state & State_Item) {
        painter->drawLine(mid.x(), r.top(), mid.x(), mid.y() - gap);   // from the node above
        painter->drawLine(mid.x() + gap, mid.y(), r.right(), mid.y()); // to this node's text
        if (option->state & State_Sibling)
            painter->drawLine(mid.x(), mid.y() + gap, mid.x(), r.bottom()); // on to the next sibling
    } else if (option->state & State_Sibling) {
        painter->drawLine(mid.x(), r.top(), mid.x(), r.bottom()); // passing a deeper level
    }
    painter->restore();
    QProxyStyle::drawPrimitive(element, option, painter, widget); // the expand mark
}

} // namespace sumbrook::ui
