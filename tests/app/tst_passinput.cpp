#include "app/frmpassinput.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestPassInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaults();
    void typedTextReturnedByEitherButton_data();
    void typedTextReturnedByEitherButton();
};

void TestPassInput::defaults()
{
    quor::TfrmPassInput dialog;
    QCOMPARE(dialog.windowTitle(), u"请输入密码"_s);
    QCOMPARE(dialog.findChild<QLabel *>(u"lblHint"_s)->text(), u"请输入密码："_s);
    auto *edit = dialog.findChild<QLineEdit *>(u"EditPass"_s);
    QCOMPARE(edit->echoMode(), QLineEdit::Password);

    dialog.setPrompt(u"请输入登陆密码："_s, u"请输入登陆密码："_s);
    QCOMPARE(dialog.windowTitle(), u"请输入登陆密码："_s);
    QCOMPARE(dialog.findChild<QLabel *>(u"lblHint"_s)->text(), u"请输入登陆密码："_s);
}

void TestPassInput::typedTextReturnedByEitherButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("confirm") << u"btnOK"_s << int(QDialog::Accepted);
    QTest::newRow("cancel") << u"btnCancel"_s << int(QDialog::Rejected);
}

void TestPassInput::typedTextReturnedByEitherButton()
{
    QFETCH(QString, button);
    QFETCH(int, result);
    quor::TfrmPassInput dialog;
    dialog.show();
    auto *ok = dialog.findChild<QPushButton *>(u"btnOK"_s);
    auto *cancel = dialog.findChild<QPushButton *>(u"btnCancel"_s);
    QCOMPARE(ok->text(), u"确认(&E)"_s);
    QCOMPARE(cancel->text(), u"取消(&X)"_s);
    QVERIFY(ok->isDefault());

    QTest::keyClicks(dialog.findChild<QLineEdit *>(u"EditPass"_s), u"Pw 7"_s);
    QSignalSpy finished(&dialog, &QDialog::finished);
    QTest::mouseClick(dialog.findChild<QPushButton *>(button), Qt::LeftButton);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(dialog.result(), result);
    QCOMPARE(dialog.password(), u"Pw 7"_s);
}

QTEST_MAIN(TestPassInput)
#include "tst_passinput.moc"
