#include "autostart.h"

#include <filesystem>
#include <system_error>

#include <QDir>

#include "platform/filewriter.h"

namespace platform {

namespace {

// A string value of a desktop entry: backslash and the control characters
// take the escapes of the Desktop Entry rules.
QString escapeValue(const QString& value)
{
    QString out;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        default:
            out += c;
        }
    }
    return out;
}

// One argument of the Exec key, always quoted: inside the quotes ", `, $ and
// \ take a backslash, and % doubles (a lone % would be a field code). The
// string-value escape then doubles every backslash once more.
QString execArgument(const QString& argument)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += QChar('\\');
        if (c == '%')
            quoted += QChar('%');
        quoted += c;
    }
    quoted += QChar('"');
    return escapeValue(quoted);
}

} // namespace

QString autostartFolder()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QLatin1String("/.config");
    return config + QLatin1String("/autostart");
}

QString autostartFile(const QString& name)
{
    return autostartFolder() + QChar('/') + name + QLatin1String(".desktop");
}

QString autostartEntryText(const QString& title, const QString& program,
                           const QString& workingDirectory)
{
    return QLatin1String("[Desktop Entry]\n"
                         "Type=Application\n"
                         "Version=1.0\n") +
           QLatin1String("Name=") + escapeValue(title) + QChar('\n') + QLatin1String("Exec=") +
           execArgument(program) + QChar('\n') + QLatin1String("Path=") +
           escapeValue(workingDirectory) + QChar('\n') +
           QLatin1String("Terminal=false\n"
                         "X-GNOME-Autostart-enabled=true\n");
}

bool createAutostartEntry(const QString& name, const QString& title, const QString& program,
                          const QString& workingDirectory, QString& error)
{
    const std::filesystem::path folder = autostartFolder().toStdString();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        error = QString::fromStdString(ec.message());
        return false;
    }
    std::string reason;
    if (!fileWriter().replaceFile(
            autostartFile(name).toStdString(),
            autostartEntryText(title, program, workingDirectory).toUtf8().toStdString(), reason)) {
        error = QString::fromStdString(reason);
        return false;
    }
    return true;
}

bool removeAutostartEntry(const QString& name, QString& error)
{
    std::error_code ec;
    std::filesystem::remove(autostartFile(name).toStdString(), ec);
    // A missing entry, or a missing folder on the way to it, is nothing to remove.
    if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory) {
        error = QString::fromStdString(ec.message());
        return false;
    }
    return true;
}

} // namespace platform
