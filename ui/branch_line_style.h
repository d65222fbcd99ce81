#pragma once

#include <QProxyStyle>

namespace sumbrook::ui {

// The application's style with dotted lines joining a tree's nodes, root
// nodes included, under its own expand marks.
class TBranchLineStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

} // namespace sumbrook::ui
