// Prints the plain text our RTF reader extracts from a file, one paragraph
// per line in UTF-8, to check help files and reader changes by eye.
#include "widgets/RtfReader.h"
#include <QFile>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: rtf2text FILE.rtf\n");
        return 2;
    }
    QFile file(QFile::decodeName(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "rtf2text: cannot read %s\n", argv[1]);
        return 1;
    }
    const QByteArray text = rtfToPlainText(file.readAll()).toUtf8();
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    std::fputc('\n', stdout);
    return 0;
}
