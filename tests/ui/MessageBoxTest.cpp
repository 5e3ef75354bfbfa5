#include "ui/MessageBox.h"

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "ModalDriver.h"

namespace brimo::ui {
namespace {

using testing::ensureTestApplication;
using testing::onNextModal;

bool showBox(MessageKind kind, const QString& text) {
    switch (kind) {
        case MessageKind::error:
            MessageBox::error(nullptr, text);
            return true;
        case MessageKind::warning:
            MessageBox::warning(nullptr, text);
            return true;
        case MessageKind::information:
            MessageBox::information(nullptr, text);
            return true;
        case MessageKind::confirmation:
            return MessageBox::confirm(nullptr, text);
    }
    return false;
}

struct BoxCase {
    const char* name;
    MessageKind kind;
    const char* title;
    QMessageBox::Icon icon;
    std::vector<const char*> buttons;
    // How the user closes the box: a button's objectName or a key.
    const char* buttonToClick;
    Qt::Key key;
    bool expectedAnswer;
};

class MessageBoxLook : public ::testing::TestWithParam<BoxCase> {
  protected:
    void SetUp() override { ensureTestApplication(); }
};

TEST_P(MessageBoxLook, ShowsTitleIconButtonsAndGivesTheAnswer) {
    const BoxCase& c = GetParam();
    testing::ModalWatchdog watchdog;
    onNextModal([&](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QString::fromLatin1(c.title));
        EXPECT_EQ(box->text(), QStringLiteral("Something happened."));
        EXPECT_EQ(box->icon(), c.icon);
        EXPECT_EQ(box->isModal(), true);
        std::vector<std::string> names;
        for (QAbstractButton* button : box->buttons()) {
            names.push_back(button->objectName().toStdString());
        }
        std::sort(names.begin(), names.end());
        std::vector<std::string> expected(c.buttons.begin(), c.buttons.end());
        EXPECT_EQ(names, expected);
        if (c.buttonToClick != nullptr) {
            QTest::mouseClick(box->findChild<QPushButton*>(QString::fromLatin1(c.buttonToClick)), Qt::LeftButton);
        } else {
            QTest::keyClick(box, c.key);
        }
    });
    EXPECT_EQ(showBox(c.kind, QStringLiteral("Something happened.")), c.expectedAnswer);
}

INSTANTIATE_TEST_SUITE_P(Kinds, MessageBoxLook,
                         ::testing::Values(BoxCase{"errorOkButton",
                                                   MessageKind::error,
                                                   "Error",
                                                   QMessageBox::Critical,
                                                   {"btnOK"},
                                                   "btnOK",
                                                   Qt::Key_unknown,
                                                   true},
                                           BoxCase{"warningEnter",
                                                   MessageKind::warning,
                                                   "Warning",
                                                   QMessageBox::Warning,
                                                   {"btnOK"},
                                                   nullptr,
                                                   Qt::Key_Return,
                                                   true},
                                           BoxCase{"informationEscape",
                                                   MessageKind::information,
                                                   "Information",
                                                   QMessageBox::Information,
                                                   {"btnOK"},
                                                   nullptr,
                                                   Qt::Key_Escape,
                                                   true},
                                           BoxCase{"confirmYes",
                                                   MessageKind::confirmation,
                                                   "Confirm",
                                                   QMessageBox::Question,
                                                   {"btnNo", "btnYes"},
                                                   "btnYes",
                                                   Qt::Key_unknown,
                                                   true},
                                           BoxCase{"confirmNo",
                                                   MessageKind::confirmation,
                                                   "Confirm",
                                                   QMessageBox::Question,
                                                   {"btnNo", "btnYes"},
                                                   "btnNo",
                                                   Qt::Key_unknown,
                                                   false},
                                           // Enter takes the default, Yes; Escape answers No.
                                           BoxCase{"confirmEnterIsYes",
                                                   MessageKind::confirmation,
                                                   "Confirm",
                                                   QMessageBox::Question,
                                                   {"btnNo", "btnYes"},
                                                   nullptr,
                                                   Qt::Key_Return,
                                                   true},
                                           BoxCase{"confirmEscapeIsNo",
                                                   MessageKind::confirmation,
                                                   "Confirm",
                                                   QMessageBox::Question,
                                                   {"btnNo", "btnYes"},
                                                   nullptr,
                                                   Qt::Key_Escape,
                                                   false}));

TEST(MessageBoxInterceptor, RecordsEveryBoxAndAnswersWithoutShowingIt) {
    ensureTestApplication();
    std::vector<ShownMessage> shown;
    MessageBox::interceptForTesting([&](const ShownMessage& message) {
        shown.push_back(message);
        return message.text == QStringLiteral("Delete it?");
    });
    MessageBox::error(nullptr, QStringLiteral("Broken."));
    const bool deleteAnswer = MessageBox::confirm(nullptr, QStringLiteral("Delete it?"));
    const bool keepAnswer = MessageBox::confirm(nullptr, QStringLiteral("Keep it?"));
    MessageBox::interceptForTesting(nullptr);

    EXPECT_TRUE(deleteAnswer);
    EXPECT_FALSE(keepAnswer);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].kind, MessageKind::error);
    EXPECT_EQ(shown[0].text, QStringLiteral("Broken."));
    EXPECT_EQ(shown[2].kind, MessageKind::confirmation);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace brimo::ui
