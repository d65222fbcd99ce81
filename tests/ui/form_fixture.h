#pragma once

// A fresh main window on stubbed desktop services, with a temporary folder
// for the files it checks and helpers that read its widgets back.

#include <QApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QEventLoop>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

#include "ui/SumbrookMain.h"
#include "tests/ui/stubs.h"

// Readable failures for Qt's strings.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace sumbrook::ui::test {

class FormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        form_ = std::make_unique<TSumbrookForm>(stubs_.Services());
    }

    void TearDown() override
    {
        form_.reset();
        // A failed test must not leave the busy cursor to the next one.
        while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
    }

    TSumbrookForm& Form() { return *form_; }

    // A new window in place of the old one, as after a new start.
    void Restart() { form_ = std::make_unique<TSumbrookForm>(stubs_.Services()); }

    // Handles events until a run going on has ended.
    void WaitForRun()
    {
        if (!Form().Calculation().Running()) return;
        QEventLoop loop;
        QObject::connect(&Form().Calculation(), &workflow::CalculationRun::Finished, &loop, &QEventLoop::quit);
        loop.exec();
    }

    // A whole run, as the Calculate command starts it.
    void Calculate()
    {
        Form().CalculateMenuClick();
        WaitForRun();
    }

    // Calculates, calling `during` once the first file's results are in, as
    // a user's input would arrive in the middle of a run.
    void CalculateWhile(const std::function<void()>& during)
    {
        bool ran = false;
        const auto hook = QObject::connect(&Form().Calculation(), &workflow::CalculationRun::FileDone, [&] {
            if (ran) return;
            ran = true;
            during();
        });
        Calculate();
        QObject::disconnect(hook);
        EXPECT_TRUE(ran) << "the run computed no file";
    }

    QString WriteFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QByteArray ReadFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Adds the files through the open dialog, as the user would.
    void AddFiles(const QStringList& paths)
    {
        stubs_.FilesToOpen = paths;
        Form().OpenFileMenuClick();
    }

    // Three files with equal contents and one that differs, added in the
    // order a.txt, b.txt (the odd one), c.txt, d.txt.
    void AddFourFiles()
    {
        AddFiles({WriteFile(QStringLiteral("a.txt"), kSame), WriteFile(QStringLiteral("b.txt"), kOther),
                  WriteFile(QStringLiteral("c.txt"), kSame), WriteFile(QStringLiteral("d.txt"), kSame)});
    }

    QStringList Column(int column)
    {
        QStringList texts;
        for (int row = 0; row < Form().NeedCheckFileList->rowCount(); ++row)
            texts << Form().NeedCheckFileList->item(row, column)->text();
        return texts;
    }
    QStringList Names() { return Column(TFileListView::NameColumn); }
    QStringList Statuses() { return Column(TFileListView::StatusColumn); }
    QStringList Paths() { return Column(TFileListView::PathColumn); }

    // Every node's text in pre-order, result lines after a TAB.
    QStringList TreeTexts()
    {
        QStringList texts;
        QTreeWidget* tree = Form().ResultTreeView;
        for (int top = 0; top < tree->topLevelItemCount(); ++top) {
            texts << tree->topLevelItem(top)->text(0);
            for (int line = 0; line < tree->topLevelItem(top)->childCount(); ++line)
                texts << QStringLiteral("\t") + tree->topLevelItem(top)->child(line)->text(0);
        }
        return texts;
    }

    QString StatusText() { return Form().StatusPanel0->text(); }

    static QStringList Repeated(const QString& text, int times) { return QStringList(times, text); }

    // The result lines of the two digests selected at start, worked out
    // here with Qt's own digests.
    static QStringList DefaultLines(const QByteArray& bytes)
    {
        auto hex = [&](QCryptographicHash::Algorithm algorithm) {
            return QString::fromLatin1(QCryptographicHash::hash(bytes, algorithm).toHex().toUpper());
        };
        return {QStringLiteral("SHA1：") + hex(QCryptographicHash::Sha1),
                QStringLiteral("MD5：") + hex(QCryptographicHash::Md5)};
    }

    // Shows the window and makes it the active one, for keys and the mouse.
    void ShowActive()
    {
        Form().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form()));
        QApplication::setActiveWindow(&Form());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
    }

    static inline const QByteArray kSame = QByteArrayLiteral("the same bytes in three files\n");
    static inline const QByteArray kOther = QByteArrayLiteral("something else\n");

    QTemporaryDir dir_;
    TStubServices stubs_;
    std::unique_ptr<TSumbrookForm> form_;
};

} // namespace sumbrook::ui::test
