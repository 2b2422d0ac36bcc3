// The login dialog, as a widget offscreen.

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "Network/Login.h"

TEST(Login, FormAndAnswers)
{
    CLogin login;
    EXPECT_EQ(login.objectName(), QStringLiteral("CLogin"));
    EXPECT_EQ(login.windowTitle(), QStringLiteral("Login"));
    EXPECT_EQ(login.size(), QSize(272, 160));
    auto* id = login.findChild<QLineEdit*>(QStringLiteral("ID"));
    auto* password = login.findChild<QLineEdit*>(QStringLiteral("Password"));
    auto* buttons = login.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_TRUE(id && password && buttons);
    EXPECT_EQ(login.findChild<QLabel*>(QStringLiteral("label_2"))->text(), QStringLiteral("ID"));
    EXPECT_EQ(login.findChild<QLabel*>(QStringLiteral("label"))->text(), QStringLiteral("Password"));
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    EXPECT_EQ(id->echoMode(), QLineEdit::Normal);

    login.show();
    QTest::keyClicks(id, QStringLiteral("ADMIN"));
    QTest::keyClicks(password, QStringLiteral("s3cret"));
    EXPECT_NE(password->displayText(), QStringLiteral("s3cret"));

    QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    EXPECT_EQ(login.result(), int(QDialog::Rejected));
    EXPECT_FALSE(login.isVisible());
    EXPECT_EQ(login.getID(), QStringLiteral("ADMIN"));
    EXPECT_EQ(login.getPassword(), QStringLiteral("s3cret"));

    login.show();
    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    EXPECT_EQ(login.result(), int(QDialog::Accepted));
}
