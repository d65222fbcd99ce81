#pragma once

#include <QObject>
#include <QProxyStyle>

namespace sumbrook::ui {

inline constexpr int kToolTipWakeUpMs = 500;
inline constexpr int kToolTipShownMs = 5000;

// The platform's own look, with hints appearing after the pointer rested
// 500 ms and quickly again when it moves on to the next control.
class TToolTipStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

// Shows every hint for 5000 ms, whatever its length.
class TToolTipTimer : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Installs both on the running application.
void InstallToolTipTiming();

} // namespace sumbrook::ui
