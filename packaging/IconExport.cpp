// Writes the program's picture as the PNG icons an install puts into the hicolor
// theme: quantrel-<N>.png for each size N given after the output folder.
//
//   quantrel_icons build/icons 16 32 48

#include "window/Pictures.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: quantrel_icons FOLDER SIZE...\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "quantrel_icons: cannot make %s\n", argv[1]);
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        const int side = std::atoi(argv[i]);
        const QString file = folder.filePath(QStringLiteral("quantrel-%1.png").arg(side));
        if (side <= 0 || !quantrel::gui::ProgramPicture(side).save(file)) {
            std::fprintf(stderr, "quantrel_icons: cannot write %s\n",
                         file.toLocal8Bit().constData());
            return 1;
        }
    }
    return 0;
}
