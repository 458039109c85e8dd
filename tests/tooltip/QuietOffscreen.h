#pragma once

// The offscreen platform warns that it cannot shape or raise windows; tests
// check masks and placement on the widgets themselves, so those lines are noise.

#include <QtGlobal>

inline QtMessageHandler previousPistrelTestHandler = nullptr;

inline void quietOffscreenWarnings()
{
    previousPistrelTestHandler = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
                return;
            if (previousPistrelTestHandler)
                previousPistrelTestHandler(type, context, message);
        });
}
