#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

class QQmlEngine;

// `codeorchardist --screenshot DIR [FOLDER]`: drives the window through every screen it can
// reach (welcome, loading, each view mode, no results, no projects), light and dark, and writes
// one PNG per screen into DIR. Uses settings of its own in a temporary folder, never the
// user's. Returns the process exit status (0 when every picture was written).
// Every picture is taken at `size`.
int runCaptureMode(QQmlEngine& engine, const QString& outputDir, const QByteArray& folder,
                   QSize size = QSize(1280, 820));
