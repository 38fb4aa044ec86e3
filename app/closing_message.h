#pragma once

#include "core/drill.h"

namespace minamo {

// The closing message at the end of a drill that recorded a result.
inline const QString closingMessageText =
    QStringLiteral("おつかれさまでした。伸びていこう、少しでいいから。消すをおして終わろう");
inline const QString closingMessageTitle = QStringLiteral("終わる？");

inline void showClosingMessage(Drill& d) {
    d.ui.messageBox.showExclamation(closingMessageText, closingMessageTitle);
}

} // namespace minamo
