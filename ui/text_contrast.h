#pragma once

#include <QColor>

namespace sumbrook::ui {

// Relative luminance of a colour as WCAG defines it: 0 for black, 1 for white.
double RelativeLuminance(const QColor& colour);

// WCAG contrast ratio of two colours, from 1 (equal) to 21 (black on white).
double ContrastRatio(const QColor& first, const QColor& second);

// Black or white, whichever reads better on the background.
QColor ReadableTextOn(const QColor& background);

} // namespace sumbrook::ui
