#pragma once
// The program's JPEG decoder, on libjpeg's own interface. A damaged picture is an Error, never
// the end of the program: libjpeg's error exit would otherwise call exit().

#include <QByteArray>
#include <QImage>
#include <QString>

namespace telmora {

// Decodes a whole JPEG file held in memory into an RGB image. Throws Error when libjpeg cannot
// decode it, including a picture that ends early (libjpeg would only warn and fill it in grey).
QImage decodeJpeg(const QByteArray& data);

// Reads the file (a resource path works too) and decodes it; throws Error when it cannot.
QImage decodeJpegFile(const QString& path);

}  // namespace telmora
