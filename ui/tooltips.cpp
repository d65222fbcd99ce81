#include "ui/tooltips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace sumbrook::ui {

int TToolTipStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* returnData) const
{
    switch (hint) {
    case SH_ToolTip_WakeUpDelay: return kToolTipWakeUpMs;
    case SH_ToolTip_FallAsleepDelay: return 200; // within this time the next control's hint follows at once
    default: return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

bool TToolTipTimer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType()) return QObject::eventFilter(watched, event);
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->toolTip().isEmpty()) return QObject::eventFilter(watched, event);
    const auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), widget->toolTip(), widget, QRect(), kToolTipShownMs);
    return true;
}

void InstallToolTipTiming()
{
    QApplication::setStyle(new TToolTipStyle); // the application owns its style
    qApp->installEventFilter(new TToolTipTimer(qApp));
}

} // namespace sumbrook::ui
