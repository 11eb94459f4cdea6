// Opening a large RTF file in the edit zone: the reader, then the building
// of the zone's document, then its first layout, for generated files of
// 1, 4 and 16 MB (paragraphs with bold, colour and accented runs).
// Run offscreen: QT_QPA_PLATFORM=offscreen build/dev/bin/rtf_open_benchmark
#include "editzone/rtf_reader.h"
#include "editzone/ui/rich_text_qt.h"
#include "resident_memory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextEdit>

#include <cstdio>
#include <string>

namespace {

std::string generatedRtf(std::size_t bytes)
{
    std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\n";
    for (int i = 0; rtf.size() < bytes; ++i)
        rtf += "\\pard Groupe {\\b KMRSU} {\\cf1\\i ABCDE} \\'e9t\\'e9 paragraphe " + std::to_string(i) + "\\par\n";
    return rtf + "}";
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    for (const std::size_t megabytes : {1, 4, 16}) {
        const std::string rtf = generatedRtf(megabytes << 20U);
        QTextEdit zone;
        zone.resize(507, 190);
        zone.show();
        QApplication::processEvents();
        const long before = residentKilobytes();
        QElapsedTimer clock;
        clock.start();
        const auto document = brivo::editzone::readRtf(rtf);
        const qint64 read = clock.restart();
        brivo::editzone::ui::fillDocument(*zone.document(), *document, zone.currentCharFormat());
        const qint64 built = clock.restart();
        QApplication::processEvents();
        const qint64 laidOut = clock.elapsed();
        std::printf("%2zu MB: read %lld ms, document %lld ms, layout %lld ms, total %lld ms; memory +%ld MB\n",
                    megabytes, static_cast<long long>(read), static_cast<long long>(built),
                    static_cast<long long>(laidOut), static_cast<long long>(read + built + laidOut),
                    (residentKilobytes() - before) / 1024);
    }
}
