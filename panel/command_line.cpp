// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "panel/command_line.h"

#include <QCommandLineParser>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <cstring>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {
constexpr int kWriteError = 1;
constexpr int kUsageError = 2;

const char* const kHelp =
    "Usage: actuator-panel [OPTION]...\n"
    "Drive a simulated lead-screw linear actuator from one window: type a target\n"
    "position and a screw speed, start and stop the move, and watch the position\n"
    "and the pressure. While a move runs, both are logged every two seconds in two\n"
    "lists; Save writes the lists to a text file.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "      --         end the options\n"
    "\n"
    "Options of the Qt toolkit, such as -platform NAME, -style NAME and -reverse,\n"
    "are passed on to it.\n"
    "\n"
    "How the panel behaves and where its two files are: the user guide\n"
    "(/usr/share/doc/actuator-panel/user-guide.md.gz in the Debian package).\n"
    "See also actuator-panel(1).\n";

const char* const kVersion = "actuator-panel " ACTUATOR_PANEL_VERSION "\n"
                             "Copyright (c) 2026 Actuator Panel contributors\n"
                             "License MIT: the LICENSE file that comes with the program.\n";

// The options that Qt takes out of the command line itself, with whether each takes a value.
const struct {
    const char* name;
    bool takesValue;
} kToolkitOptions[] = {
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},
    {"qwindowtitle", true},    {"session", true},
    {"display", true},         {"geometry", true},
    {"title", true},           {"icon", true},
    {"style", true},           {"stylesheet", true},
    {"qmljsdebugger", true},   {"dialogs", true},
    {"fontengine", true},      {"reverse", false},
    {"widgetcount", false},    {"nograb", false},
    {"dograb", false},         {"testability", false},
};

#ifdef Q_OS_WIN
// A program of the Windows GUI kind gets no console: started from Explorer, or from a
// console without its output redirected, it has nowhere to write, and the text then goes
// into a message box. Output redirected to a file or a pipe is written there.
bool nowhereToWrite(const std::FILE* stream) {
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    return handle == nullptr || handle == INVALID_HANDLE_VALUE ||
           GetFileType(handle) == FILE_TYPE_UNKNOWN;
}
#endif

// Shows `text` and gives `status`, or kWriteError when the text could not be written.
int show(const QString& text, std::FILE* stream, int status) {
#ifdef Q_OS_WIN
    if (nowhereToWrite(stream)) {
        const UINT icon = status == 0 ? MB_ICONINFORMATION : MB_ICONERROR;
        MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(text.utf16()), L"Actuator Panel",
                    MB_OK | icon);
        return status;
    }
#endif
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    if (std::fflush(stream) != 0 || std::ferror(stream) != 0) {
        const int why = errno;
        std::fprintf(stderr, "actuator-panel: write error: %s\n", std::strerror(why));
        return kWriteError;
    }
    return status;
}

// The first argument as typed whose name is among `names` (without their dashes).
QString typedAs(const QStringList& arguments, const QStringList& names) {
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QLatin1String("--")) {
            break;
        }
        QString name = argument.section(QLatin1Char('='), 0, 0);
        while (name.startsWith(QLatin1Char('-'))) {
            name.remove(0, 1);
        }
        if (argument.startsWith(QLatin1Char('-')) && names.contains(name)) {
            return argument;
        }
    }
    return names.value(0);
}

int refuse(const char* what, const QString& argument) {
    return show(QStringLiteral("actuator-panel: %1 '%2'; try 'actuator-panel --help'\n")
                    .arg(QLatin1String(what), argument),
                stderr, kUsageError);
}
} // namespace

std::optional<int> readCommandLine(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QCommandLineParser parser;
    // Qt's own options are written with one dash, -platform, as are the program's -h.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({help, version});
    for (const auto& option : kToolkitOptions) {
        parser.addOption(
            QCommandLineOption(QLatin1String(option.name), QString(),
                               option.takesValue ? QStringLiteral("value") : QString()));
    }
    const bool understood = parser.parse(arguments);
    if (parser.isSet(help)) {
        return show(QString::fromLatin1(kHelp), stdout, 0);
    }
    if (parser.isSet(version)) {
        return show(QString::fromLatin1(kVersion), stdout, 0);
    }
    if (!parser.unknownOptionNames().isEmpty()) {
        return refuse("unknown option", typedAs(arguments, parser.unknownOptionNames()));
    }
    if (!understood) { // such as an option that lacks its value
        QString why = parser.errorText();
        why[0] = why[0].toLower();
        if (why.endsWith(QLatin1Char('.'))) {
            why.chop(1);
        }
        return show(QStringLiteral("actuator-panel: %1; try 'actuator-panel --help'\n").arg(why),
                    stderr, kUsageError);
    }
    if (!parser.positionalArguments().isEmpty()) {
        return refuse("unexpected argument", parser.positionalArguments().first());
    }
    return std::nullopt;
}
