// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "home_panel.h"

#include "panel/file_locations.h"
#include "panel/message_box.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

void HomePanel::SetUp() {
    ASSERT_TRUE(home_.isValid());
    setVariable("HOME", home_.path());
    // The desktop folder is named in the folder settings beneath the home folder, never
    // in the settings of whoever runs the tests.
    setVariable("XDG_CONFIG_HOME", home_.filePath(QStringLiteral(".config")));
    // The window's two files follow the home folder only if Qt reads HOME afresh.
    ASSERT_EQ(QDir::homePath(), QDir::cleanPath(home_.path()));
    ModalMessageBox::interceptWith([this](const QString& text) { messages << text; });
}

void HomePanel::TearDown() {
    window.reset();
    QLocale::setDefault(QLocale::system());
    ModalMessageBox::interceptWith({});
    for (auto it = savedVariables_.rbegin(); it != savedVariables_.rend(); ++it) {
        if (it->second) {
            qputenv(it->first, *it->second);
        } else {
            qunsetenv(it->first);
        }
    }
}

void HomePanel::setVariable(const char* name, const QString& value) {
    savedVariables_.emplace_back(name, qEnvironmentVariableIsSet(name)
                                           ? std::optional<QByteArray>(qgetenv(name))
                                           : std::nullopt);
    qputenv(name, QFile::encodeName(value));
}

void HomePanel::nameDesktopFolder(const QString& folder) {
    desktopFolder_ = folder;
    const QString settings = QStringLiteral("# written by xdg-user-dirs-update\n"
                                            "XDG_DESKTOP_DIR=\"$HOME/%1\"\n"
                                            "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n")
                                 .arg(folder);
    ASSERT_TRUE(writeBytes(homePath(QStringLiteral(".config/user-dirs.dirs")), settings.toUtf8()));
}

void HomePanel::openWindow(const QLocale& locale) {
    QLocale::setDefault(locale);
    window = std::make_unique<Form1>();
    window->startUp(backgroundPicturePath());
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

QString HomePanel::homePath(const QString& relative) const {
    return QDir(QDir::homePath()).filePath(relative);
}

void HomePanel::click(const char* name) const {
    QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton);
}

QStringList HomePanel::entries(const char* list) const {
    QStringList texts;
    const QListWidget* widget = control<QListWidget>(list);
    for (int i = 0; i < widget->count(); ++i) {
        texts << widget->item(i)->text();
    }
    return texts;
}

void HomePanel::addEntries(int count) const {
    QListWidget* position = control<QListWidget>("position");
    QListWidget* pressure = control<QListWidget>("pressure");
    for (int i = 0; i < count; ++i) {
        position->addItem(QString::number(i * 0.001, 'g', 15));
        pressure->addItem(QString::number(5860.0 - 2.016 * i, 'g', 15));
    }
}

void HomePanel::expectUsable() {
    const QStringList position = entries("position");
    const QStringList pressure = entries("pressure");
    const qsizetype messageCount = messages.size();
    control<QLineEdit>("target")->setText(QStringLiteral("3"));
    click("retract");
    EXPECT_TRUE(window->timer1().enabled());
    EXPECT_TRUE(control<QTimer>("Timer1")->isActive());
    EXPECT_TRUE(control<QTimer>("Timer2")->isActive());
    click("stop");
    EXPECT_FALSE(window->timer1().enabled());
    EXPECT_FALSE(control<QTimer>("Timer1")->isActive());
    EXPECT_EQ(entries("position"), position);
    EXPECT_EQ(entries("pressure"), pressure);
    EXPECT_EQ(messages.size(), messageCount) << messages.join(QLatin1Char('|')).toStdString();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList treeOf(const QString& folder) {
    QStringList found;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        found << QDir(folder).relativeFilePath(it.next());
    }
    found.sort();
    return found;
}
