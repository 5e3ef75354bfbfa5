#include "CallReport.h"

namespace brimo::demo {
namespace {

// Control characters (such as the 0x7F that marks quoted commas) as \xNN.
QString visible(const QString& text) {
    QString shown;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        } else {
            shown += c;
        }
    }
    return shown;
}

}  // namespace

QString describeCall(const ExportEntry& entry, const CallFrame& frame, std::optional<long> result) {
    QString line = entry.name + QStringLiteral(" -> ") + (result ? QString::number(*result) : QStringLiteral("(none)"));
    for (std::size_t i = 0; i < entry.parameters.size(); ++i) {
        const Parameter& parameter = entry.parameters[i];
        if (parameter.kind == ParameterKind::textInOut) {
            line += QStringLiteral("  %1=\"%2\"").arg(parameter.name, visible(frame.bufferText(i)));
        } else if (parameter.kind == ParameterKind::shortOut) {
            line += QStringLiteral("  %1=%2").arg(parameter.name).arg(frame.shortValue(i));
        }
    }
    return line;
}

}  // namespace brimo::demo
