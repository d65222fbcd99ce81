#include "ui/compare_dialog.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "checking/known_digest.h"

namespace sumbrook::ui {

TCompareDialog::TCompareDialog(std::function<QString(const QString&)> look, QWidget* parent)
    : QDialog(parent), Field(new QLineEdit(this)), Answer(new QLabel(this)), look_(std::move(look))
{
    setObjectName(QStringLiteral("CompareDialog"));
    setWindowTitle(QStringLiteral("比对校验值"));
    auto* caption = new QLabel(QStringLiteral("请粘贴已知的校验值："), this);
    caption->setBuddy(Field);
    Field->setObjectName(QStringLiteral("KnownDigestField"));
    Field->setMinimumWidth(420);
    Field->setText(DigestOnClipboard());
    Answer->setObjectName(QStringLiteral("CompareAnswer"));
    Answer->setWordWrap(true);
    Answer->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    CompareButton = buttons->addButton(QStringLiteral("比对"), QDialogButtonBox::AcceptRole);
    CompareButton->setDefault(true);
    // The dialog stays open with the answer: another digest may follow.
    connect(buttons, &QDialogButtonBox::accepted, this, &TCompareDialog::CompareClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(Field);
    layout->addWidget(Answer);
    layout->addWidget(buttons);
}

void TCompareDialog::CompareClick()
{
    Answer->setText(look_(Field->text()));
}

QString DigestOnClipboard()
{
    const QString text = QGuiApplication::clipboard()->text().trimmed();
    if (text.size() > 4096 || !checking::ParseKnownDigest(text.toStdString())) return {};
    return text.section(QLatin1Char('\n'), 0, 0).trimmed();
}

} // namespace sumbrook::ui
