// The program's JPEG decoder on the shipped logo, and on damaged files.

#include <gtest/gtest.h>

#include <QFile>

#include "QtPrinters.h"
#include "uError.h"
#include "uJpegDecoder.h"

namespace telmora {
namespace {

QByteArray shippedLogo() {
    QFile f(QStringLiteral(TELMORA_ABOUT_PICTURES "/logo.jpg"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

TEST(JpegDecoder, DecodesTheShippedLogo) {
    const QImage logo = decodeJpegFile(QStringLiteral(TELMORA_ABOUT_PICTURES "/logo.jpg"));
    ASSERT_EQ(logo.size(), QSize(72, 72));
    // The cream corner and the dark hour hand of the dial, as drawn.
    const QColor corner = logo.pixelColor(2, 2);
    EXPECT_NEAR(corner.red(), 0xf6, 6);
    EXPECT_NEAR(corner.green(), 0xef, 6);
    EXPECT_NEAR(corner.blue(), 0xe0, 6);
    const QColor hand = logo.pixelColor(36, 28);
    EXPECT_LT(hand.red() + hand.green() + hand.blue(), 3 * 80);
}

TEST(JpegDecoder, DamagedFilesAreErrorsNotCrashes) {
    const QByteArray logo = shippedLogo();
    ASSERT_GT(logo.size(), 1000);
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"cut in the picture data", logo.left(logo.size() / 2)},
        {"cut in the header", logo.left(120)},
        {"no JPEG at all", QByteArray("GIF89a not a jpeg at all")},
        {"empty", QByteArray()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            decodeJpeg(c.bytes);
            ADD_FAILURE() << "decoded a damaged file";
        } catch (const Error& e) {
            EXPECT_EQ(e.source(), QStringLiteral("JpegDecoder"));
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("Impossibile decodificare")))
                << e.message().toStdString();
        }
    }
    EXPECT_THROW(decodeJpegFile(QStringLiteral("/nonexistent/logo.jpg")), Error);
}

}  // namespace
}  // namespace telmora
