#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace brimo::ui {

enum class MessageKind { error, warning, information, confirmation };

struct ShownMessage {
    MessageKind kind;
    QString text;
};

// The library's message boxes. Every box has the same look: a title naming
// its kind, the kind's icon, the text, and either one OK button or Yes and No
// (confirmation, Yes being the default and Escape answering No). A box with
// no parent is modal over the whole application.
class MessageBox {
  public:
    static void error(QWidget* parent, const QString& text);
    static void warning(QWidget* parent, const QString& text);
    static void information(QWidget* parent, const QString& text);
    // True when the user answered Yes.
    static bool confirm(QWidget* parent, const QString& text);

    // While an interceptor is installed no box is shown: each one is handed
    // to it instead, and its answer (true for OK or Yes) is the user's.
    // Pass nothing to show boxes again.
    using Interceptor = std::function<bool(const ShownMessage&)>;
    static void interceptForTesting(Interceptor interceptor);

  private:
    static bool show(MessageKind kind, QWidget* parent, const QString& text);
};

}  // namespace brimo::ui
