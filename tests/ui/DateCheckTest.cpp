#include "ui/DateCheck.h"

#include <gtest/gtest.h>

#include <vector>

#include "ModalDriver.h"
#include "platform/Locale.h"
#include "ui/MessageBox.h"

namespace brimo::ui {
namespace {

TEST(IsValidDate, TellsTheUserOnlyAboutTextsThatAreNoDate) {
    testing::ensureTestApplication();
    platform::overrideLocaleForTesting(platform::LocaleSettings{"dd.MM.yyyy", '.', 49});
    std::vector<ShownMessage> shown;
    MessageBox::interceptForTesting([&](const ShownMessage& message) {
        shown.push_back(message);
        return true;
    });

    struct Case {
        const char* text;
        bool valid;
    };
    for (const Case& c : {Case{"31.12.2024", true}, Case{" 1 . 2 . 24 ", true}, Case{"29.02.2023", false},
                          Case{"12/31/2024", false}, Case{"", false}}) {
        shown.clear();
        EXPECT_EQ(isValidDate(nullptr, QString::fromLatin1(c.text)), c.valid) << c.text;
        if (c.valid) {
            EXPECT_TRUE(shown.empty()) << c.text;
        } else {
            ASSERT_EQ(shown.size(), 1u) << c.text;
            EXPECT_EQ(shown[0].kind, MessageKind::error);
            EXPECT_EQ(shown[0].text, QStringLiteral("The date entered is invalid."));
        }
    }

    MessageBox::interceptForTesting(nullptr);
    platform::overrideLocaleForTesting(std::nullopt);
}

}  // namespace
}  // namespace brimo::ui
