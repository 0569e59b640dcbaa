// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// Closing the window during a move, with the real program on a virtual X display of its
// own: the program ends at once, without waiting for the move, and writes no file. The
// move is started as an operator starts it (a click in the target box, "3", a click on
// Retract/Extend, through xdotool), and the close request is the one a window manager
// sends. Skipped where Xvfb or xdotool is not installed.
#include "x_display.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QRect kDrawingArea(168, 344, 313, 169); // Picture1 once it has opened
const QPoint kTargetBox(140, 140);
const QPoint kRetractButton(172, 200);
// How long the program may take to show its window and draw it: seconds on a busy machine,
// and far longer when it runs under an emulator beside other tests. The waits end as soon
// as the window is there, so a long limit costs nothing when the start is quick.
const int kStartMs = 60000;

bool waitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QThread::msleep(20);
    }
    return true;
}

QStringList filesUnder(const QString& folder) {
    QStringList found;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        found << QDir(folder).relativeFilePath(it.next());
    }
    return found;
}

class CloseDuringMove : public testing::Test {
protected:
    void SetUp() override {
        xvfb_ = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        xdotool_ = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        if (xvfb_.isEmpty() || xdotool_.isEmpty()) {
            GTEST_SKIP() << "needs Xvfb and xdotool";
        }
        ASSERT_TRUE(home_.isValid() && runtime_.isValid());
        ASSERT_NO_FATAL_FAILURE(startServer());
    }
    void TearDown() override {
        x_.reset(); // before the server goes, or Xlib ends this process
        for (QProcess* process : {&program_, &server_}) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
    }

    // Xvfb picks a free display and writes its number on the descriptor named.
    void startServer() {
        server_.start(xvfb_,
                      {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                       QStringLiteral("0"), QStringLiteral("1024x768x24"),
                       QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        ASSERT_TRUE(server_.waitForStarted(5000));
        ASSERT_TRUE(waitFor(
            [this] { return server_.waitForReadyRead(50) || server_.canReadLine(); }, 10000));
        display_ = ":" + server_.readLine().trimmed();
        x_ = std::make_unique<XDisplay>(display_);
        ASSERT_TRUE(x_->isOpen()) << display_.toStdString();
    }

    void startProgram() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display_));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("HOME"), home_.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        env.insert(QStringLiteral("XDG_CACHE_HOME"), runtime_.filePath(QStringLiteral("cache")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), runtime_.filePath(QStringLiteral("config")));
        // No session bus: an address where nothing listens. Otherwise the D-Bus library
        // would reach the desktop's bus, or, with none and dbus-x11 installed, start one
        // that writes into the scratch home.
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                   QStringLiteral("unix:path=") + runtime_.filePath(QStringLiteral("no-bus")));
        // The sanitizers' settings: no effect unless the program is built with them.
        ASSERT_NO_FATAL_FAILURE(sanitizeSystemLibraries(env));
        program_.setProcessEnvironment(env);
        program_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program_.start(QStringLiteral(PANEL_PROGRAM), {});
        ASSERT_TRUE(program_.waitForStarted(5000));
    }

    // Under AddressSanitizer on X11, two reports come from system libraries, not from the
    // program: the strict string check flags the X keyboard library's bounded strndup of
    // an unterminated string, and D-Bus keeps a buffer to the end. Leaks of the program's
    // own stay reported.
    void sanitizeSystemLibraries(QProcessEnvironment& env) {
        const QString suppressions = runtime_.filePath(QStringLiteral("lsan.supp"));
        QFile file(suppressions);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.write("leak:libdbus-1.so\n") > 0 && file.flush());
        file.close();
        const QString asan = env.value(QStringLiteral("ASAN_OPTIONS"));
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   asan + (asan.isEmpty() ? "" : ":") + QStringLiteral("strict_string_checks=0"));
        env.insert(QStringLiteral("LSAN_OPTIONS"), QStringLiteral("suppressions=") + suppressions);
    }

    void xdotool(const QStringList& arguments) {
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display_));
        tool.setProcessEnvironment(env);
        tool.start(xdotool_, arguments);
        ASSERT_TRUE(tool.waitForFinished(10000));
        ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    }

    void clickAt(unsigned long window, QPoint at) {
        xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), QString::number(window),
                 QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"),
                 QStringLiteral("1")});
    }

    // True when the drawing area changes within `ms`: the motion timer is ticking.
    bool drawingChanges(unsigned long window, int ms) {
        const QImage before = x_->grab(window, kDrawingArea);
        return waitFor([&] { return x_->grab(window, kDrawingArea) != before; }, ms);
    }

    // True once the drawing area has stayed the same for `quietMs`: painted, and idle.
    bool drawingSettles(unsigned long window, int quietMs, int timeoutMs) {
        return waitFor([&] { return !drawingChanges(window, quietMs); }, timeoutMs);
    }

    QTemporaryDir home_;
    QTemporaryDir runtime_;
    QProcess server_;
    QProcess program_;
    QByteArray display_;
    std::unique_ptr<XDisplay> x_;
    QString xvfb_;
    QString xdotool_;
};

TEST_F(CloseDuringMove, ProgramEndsAtOnceAndWritesNothing) {
    ASSERT_NO_FATAL_FAILURE(startProgram());
    unsigned long window = 0;
    ASSERT_TRUE(
        waitFor([&] { return (window = x_->findWindow(QStringLiteral("Form1"))) != 0; }, kStartMs));
    ASSERT_TRUE(drawingSettles(window, 500, kStartMs)) << "the drawing moves before any move";

    ASSERT_NO_FATAL_FAILURE(clickAt(window, kTargetBox));
    ASSERT_NO_FATAL_FAILURE(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a"),
                                     QStringLiteral("type"), QStringLiteral("3")}));
    ASSERT_NO_FATAL_FAILURE(clickAt(window, kRetractButton));
    // At 4.8 RPM a move to 3 inches takes over three minutes; it is well under way here.
    ASSERT_TRUE(drawingChanges(window, 2000)) << "the move did not start";
    QThread::msleep(1500);
    ASSERT_TRUE(drawingChanges(window, 1000)) << "the move ended early";

    ASSERT_TRUE(x_->askToClose(window));
    ASSERT_TRUE(program_.waitForFinished(10000)) << "still running after the close";
    EXPECT_EQ(program_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program_.exitCode(), 0);
    EXPECT_EQ(filesUnder(home_.path()), QStringList());
}

} // namespace
