#pragma once
// Catalogue texts as Qt strings, for the widgets.
#include <QString>

#include "common/messages.h"

namespace novra::ui {

inline QString qs(const MsgText& m) {
    return QString::fromUtf8(text(m).c_str());
}

// The text with its "%s" replaced by arg.
inline QString withArg(const MsgText& m, const QString& arg) {
    QString s = qs(m);
    return s.replace(QStringLiteral("%s"), arg);
}

}  // namespace novra::ui
