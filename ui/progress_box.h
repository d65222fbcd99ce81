#pragma once

#include <QGroupBox>

#include "workflow/ports.h"

class QLabel;
class QProgressBar;

namespace sumbrook::ui {

// The progress box shown during a run: the current file and the whole run.
class TCheckGroupBox : public QGroupBox, public workflow::ProgressPort {
    Q_OBJECT
public:
    explicit TCheckGroupBox(QWidget* parent = nullptr);

    QLabel* CurrentProgressCap;
    QProgressBar* CurrentProgressBar;
    QLabel* AllProgressCap;
    QProgressBar* AllProgressBar;
    // Bytes of the current file; bytes, speed and time left of the whole run.
    QLabel* CurrentProgressText;
    QLabel* AllProgressText;

    void SetProgressTexts(const QString& current, const QString& all);

    void ShowProgressBox(bool shown) override;
    void SetCurrentPosition(int position) override;
    void SetAllRange(int minimum, int maximum) override;
    void SetAllPosition(int position) override;
    int AllMaximum() const override;
    void StepAll() override;
};

} // namespace sumbrook::ui
