#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "Network/Login.h"

TEST(Login, KeepsWhatWasTypedAndAnswersByButton)
{
    CLogin login;
    auto* id = login.findChild<QLineEdit*>(QStringLiteral("ID"));
    auto* password = login.findChild<QLineEdit*>(QStringLiteral("Password"));
    auto* buttons = login.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_TRUE(id && password && buttons);
    login.show();
    QTest::keyClicks(id, QStringLiteral("ADMIN"));
    QTest::keyClicks(password, QStringLiteral("s3cret"));
    EXPECT_NE(password->displayText(), QStringLiteral("s3cret"));

    QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    EXPECT_EQ(login.result(), int(QDialog::Rejected));
    EXPECT_EQ(login.getID(), QStringLiteral("ADMIN"));
    EXPECT_EQ(login.getPassword(), QStringLiteral("s3cret"));
    login.show();
    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    EXPECT_EQ(login.result(), int(QDialog::Accepted));
}
