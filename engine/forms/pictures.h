#pragma once
// Decoded pictures, shared by every window and box that shows the same file and
// kept within a memory budget. A picture dropped from it is decoded again from the
// program's embedded file when next painted, so a full pass, which loads all 34
// windows, does not hold every picture of the program decoded at once.

#include <QImage>
#include <QString>

namespace forms::pictures {

constexpr qint64 kBudgetBytes = 8 * 1024 * 1024;

// The decoded picture of a file; a null image, and the reader's reason, if it does not decode.
QImage decode(const QString& path, QString* error = nullptr);

// What the decoded pictures now take.
qint64 bytesHeld();

}  // namespace forms::pictures
