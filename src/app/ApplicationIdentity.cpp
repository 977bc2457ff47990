#include "app/ApplicationIdentity.h"
#include "widgets/Pictures.h"
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

namespace {

void setNameAndVersion()
{
    QCoreApplication::setApplicationName(QStringLiteral("Vantor"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTOR_VERSION));
}

} // namespace

void processCommandLine(int& argc, char** argv)
{
    if (argc <= 1)
        return;
    QCoreApplication app(argc, argv);
    setNameAndVersion();
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tempo tool for the music operator at dance tournaments."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet(help))
        parser.showHelp();
    if (parser.isSet(version))
        parser.showVersion();
}

void setApplicationIdentity(QApplication& app)
{
    initPictures();
    setNameAndVersion();
    QGuiApplication::setDesktopFileName(QStringLiteral(VANTOR_APP_ID));
    app.setWindowIcon(QIcon(AppIconPicture));
}
