#include "ui/progress_box.h"

#include <QLabel>
#include <QProgressBar>

#include <algorithm>

namespace sumbrook::ui {

namespace {

QProgressBar* MakeBar(QWidget* parent, const QString& name, int top)
{
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(name);
    bar->setGeometry(78, top, 150, 17);
    bar->setTextVisible(false);
    return bar;
}

QLabel* MakeCaption(QWidget* parent, const QString& name, const QString& text, int top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(18, top, 60, 13);
    return label;
}

constexpr int kAllTextWidth = 228;
constexpr int kOneLineHeight = 14;
constexpr int kOneLineBoxHeight = 89; // a line of text below the bars' 73

// A step past the maximum starts the bar again from its minimum.
void Step(QProgressBar* bar)
{
    const int next = bar->value() + 1;
    bar->setValue(next > bar->maximum() ? bar->minimum() : next);
}

} // namespace

TCheckGroupBox::TCheckGroupBox(QWidget* parent)
    : QGroupBox(QStringLiteral("校验进度"), parent),
      CurrentProgressCap(MakeCaption(this, QStringLiteral("CurrentProgressCap"), QStringLiteral("当前进度："), 24)),
      CurrentProgressBar(MakeBar(this, QStringLiteral("CurrentProgressBar"), 22)),
      AllProgressCap(MakeCaption(this, QStringLiteral("AllProgressCap"), QStringLiteral("整体进度："), 53)),
      AllProgressBar(MakeBar(this, QStringLiteral("AllProgressBar"), 51)), CurrentProgressText(new QLabel(this)),
      AllProgressText(new QLabel(this))
{
    // Under each bar, readable without hovering; the box grows by a line.
    CurrentProgressText->setObjectName(QStringLiteral("CurrentProgressText"));
    CurrentProgressText->setGeometry(78, 39, 150, 13);
    AllProgressText->setObjectName(QStringLiteral("AllProgressText"));
    AllProgressText->setGeometry(8, 70, kAllTextWidth, kOneLineHeight);
    AllProgressText->setAlignment(Qt::AlignRight | Qt::AlignTop);
    setObjectName(QStringLiteral("CheckGroupBox"));
    // Without names of their own both bars would be read by the box's title.
    CurrentProgressBar->setAccessibleName(QStringLiteral("当前进度"));
    AllProgressBar->setAccessibleName(QStringLiteral("整体进度"));
    setAutoFillBackground(true); // it floats over the list, whose rows must not show through
    CurrentProgressBar->setRange(0, 100);
    AllProgressBar->setRange(0, 0);
    AllProgressBar->setValue(0);
    resize(240, kOneLineBoxHeight);
    hide();
}

void TCheckGroupBox::ShowProgressBox(bool shown)
{
    setVisible(shown);
    if (shown) raise();
}

void TCheckGroupBox::SetProgressTexts(const QString& current, const QString& all)
{
    CurrentProgressText->setText(current);
    // Large sizes and minutes left do not fit one line: the speed and time
    // left go on a second, and the box grows upwards by it.
    QString shown = all;
    const qsizetype cut = all.indexOf(QStringLiteral(" · "));
    const bool twoLines = cut > 0 && AllProgressText->fontMetrics().horizontalAdvance(all) > kAllTextWidth;
    if (twoLines) shown.replace(cut, 3, QLatin1Char('\n'));
    const int lineHeight = AllProgressText->fontMetrics().height();
    const int textHeight = std::max(kOneLineHeight, (twoLines ? 2 : 1) * lineHeight);
    if (AllProgressText->height() != textHeight) {
        const int bottom = y() + height();
        AllProgressText->resize(kAllTextWidth, textHeight);
        resize(width(), kOneLineBoxHeight - kOneLineHeight + textHeight);
        move(x(), bottom - height());
    }
    AllProgressText->setText(shown);
}

void TCheckGroupBox::SetCurrentPosition(int position)
{
    CurrentProgressBar->setValue(position);
}

void TCheckGroupBox::SetAllRange(int minimum, int maximum)
{
    AllProgressBar->setRange(minimum, maximum);
}

void TCheckGroupBox::SetAllPosition(int position)
{
    AllProgressBar->setValue(position);
}

int TCheckGroupBox::AllMaximum() const
{
    return AllProgressBar->maximum();
}

void TCheckGroupBox::StepAll()
{
    Step(AllProgressBar);
}

} // namespace sumbrook::ui
