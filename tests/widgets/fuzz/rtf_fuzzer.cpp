// libFuzzer entry for the RTF reader: any input must be read without a
// sanitizer report, and the document must not outgrow the input.
#include "widgets/RtfReader.h"
#include <QByteArray>
#include <QTextDocument>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Raw data keeps the input's exact bounds, so an over-read is reported.
    const QByteArray rtf = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument document;
    readRtf(rtf, &document);
    if (document.characterCount() > rtf.size() + 1)
        std::abort();
    return 0;
}
