#include <gtest/gtest.h>

#include <QWidget>

namespace brimo::testing {

template <class Widget>
Widget* child(QWidget& window, const QString& name) {
    auto* found = window.findChild<Widget*>(name);
    EXPECT_NE(found, nullptr) << "no child named " << name.toStdString() << " in " << window.objectName().toStdString();
    return found;
}

}  // namespace brimo::testing
