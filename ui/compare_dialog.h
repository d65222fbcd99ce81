#pragma once

// "比对校验值": a digest pasted from a web page, looked up among the results.

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace sumbrook::ui {

class TCompareDialog : public QDialog {
    Q_OBJECT
public:
    // Look: what the lookup answers for the field's text.
    TCompareDialog(std::function<QString(const QString&)> look, QWidget* parent = nullptr);

    QLineEdit* Field;
    QLabel* Answer;
    QPushButton* CompareButton;

    // The lookup of the field's text, its answer shown.
    void CompareClick();

private:
    std::function<QString(const QString&)> look_;
};

// The clipboard's text when it looks like a digest, otherwise empty.
QString DigestOnClipboard();

} // namespace sumbrook::ui
