// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// Start-up with a background picture that is missing or not a picture at all: the panel
// opens on its plain back colour, says once on standard error why, and works as usual.
#include "home_panel.h"
#include "panel/panel_style.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTemporaryFile>
#include <cstdio>
#include <functional>
#include <random>
#include <string_view>
#include <unistd.h>

namespace {

const QRgb kPictureColour = qRgb(200, 40, 40);

QByteArray jpeg(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kPictureColour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 95);
    return bytes;
}

// A good JPEG whose frame header claims 60000 x 60000 pixels: decoding it would need
// about 14 GB, far beyond what an image reader should ever allocate.
QByteArray jpegClaimingHugeSize() {
    QByteArray bytes = jpeg(64, 64);
    const qsizetype frame = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    if (frame >= 0) {
        for (const qsizetype at : {frame + 5, frame + 7}) {
            bytes[at] = char(0xEA);
            bytes[at + 1] = char(0x60);
        }
    }
    return bytes;
}

QByteArray randomBytes(int count) {
    std::mt19937 generator(20240607);
    QByteArray bytes(count, Qt::Uninitialized);
    for (char& b : bytes) {
        b = static_cast<char>(generator() & 0xFF);
    }
    return bytes;
}

// Collects what is written to file descriptor 2 from start() until text() or its end.
class StderrCapture {
public:
    [[nodiscard]] bool start() {
        if (!file_.open()) {
            return false;
        }
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        return saved_ >= 0 && dup2(file_.handle(), STDERR_FILENO) >= 0;
    }
    ~StderrCapture() { restore(); }
    QString text() {
        restore();
        file_.seek(0);
        return QString::fromLocal8Bit(file_.readAll());
    }

private:
    void restore() {
        if (saved_ >= 0) {
            std::fflush(stderr);
            dup2(saved_, STDERR_FILENO);
            close(saved_);
            saved_ = -1;
        }
    }
    QTemporaryFile file_;
    int saved_ = -1;
};

struct BackgroundCase {
    const char* name;
    std::function<void(const QString& path)> place; // puts something at the picture's path
    bool shown;
    const char* desktop = "Desktop"; // the desktop folder the user's folder settings name
};

void putBytes(const QString& path, const QByteArray& bytes) {
    ASSERT_TRUE(writeBytes(path, bytes));
}

const BackgroundCase kBackgrounds[] = {
    {"GoodJpeg", [](const QString& p) { putBytes(p, jpeg(64, 64)); }, true},
    {"GoodJpegOnRenamedDesktop", [](const QString& p) { putBytes(p, jpeg(64, 64)); }, true,
     "Schreibtisch"},
    {"Missing", [](const QString&) {}, false},
    {"Empty", [](const QString& p) { putBytes(p, QByteArray()); }, false},
    {"RandomBytes", [](const QString& p) { putBytes(p, randomBytes(4096)); }, false},
    {"TextFile", [](const QString& p) { putBytes(p, "This is not a picture.\n"); }, false},
    {"JpegHeaderOnly", [](const QString& p) { putBytes(p, jpeg(64, 64).left(20)); }, false},
    {"HugeJpeg", [](const QString& p) { putBytes(p, jpegClaimingHugeSize()); }, false},
    {"Folder", [](const QString& p) { ASSERT_TRUE(QDir().mkpath(p)); }, false},
};

void PrintTo(const BackgroundCase& c, std::ostream* os) {
    *os << c.name;
}

class BackgroundFault : public HomePanel, public testing::WithParamInterface<BackgroundCase> {};

TEST_P(BackgroundFault, PanelOpensAndWorks) {
    const BackgroundCase& c = GetParam();
    if (c.desktop != std::string_view("Desktop")) {
        nameDesktopFolder(QString::fromUtf8(c.desktop));
    }
    const QString picture = desktopPath(QStringLiteral("somethingblue.jpg"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(picture).absolutePath()));
    c.place(picture);
    ASSERT_FALSE(HasFatalFailure()) << "could not put the picture in place";
    QString said;
    {
        StderrCapture capture;
        ASSERT_TRUE(capture.start());
        openWindow();
        said = capture.text();
    }

    const QImage shown = window->grab().toImage();
    const QColor corner = shown.pixelColor(2, 2);
    if (c.shown) {
        EXPECT_TRUE(said.isEmpty()) << said.toStdString();
        EXPECT_NEAR(corner.red(), qRed(kPictureColour), 8);
        EXPECT_NEAR(corner.blue(), qBlue(kPictureColour), 8);
        // At its own size, not stretched: just past the picture's 64 px the back colour shows.
        EXPECT_EQ(shown.pixel(66, 66), kBackColour.rgb());
    } else {
        // Qt's image readers may add lines of their own; the panel's own line comes once.
        const QStringList own = said.split(QLatin1Char('\n')).filter(QStringLiteral("Background"));
        ASSERT_EQ(own.size(), 1) << said.toStdString();
        EXPECT_TRUE(
            own[0].startsWith(QStringLiteral("Background picture %1 not shown: ").arg(picture)))
            << said.toStdString();
        EXPECT_EQ(corner, kBackColour);
    }
    EXPECT_TRUE(messages.isEmpty());

    expectUsable();
    addEntries(3);
    click("save");
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(readBytes(exportPath()), expectedExport());
    // Nothing lands in a ~/Desktop that the user's desktop does not show.
    EXPECT_EQ(QFileInfo::exists(homePath(QStringLiteral("Desktop"))),
              c.desktop == std::string_view("Desktop"));
}

INSTANTIATE_TEST_SUITE_P(Pictures, BackgroundFault, testing::ValuesIn(kBackgrounds),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
