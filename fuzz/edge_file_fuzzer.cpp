// Feeds arbitrary bytes to the key edge reader, as brivo-key reads a file:
// what it accepts is in time order, every up follows its down, and the
// text written back reads as the same edges; the decoder and the fist
// report then take them without failing.
#include "morse/default_definitions.h"
#include "morse/definition_parser.h"
#include "sending/decoder.h"
#include "sending/edge_file.h"
#include "sending/fist_report.h"
#include "sending/keyer.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace brivo;
    static const MorseTable table = tableFromContent(defaultDefinitionContent());
    const Result<sending::KeyEdges> edges =
        sending::parseEdgeText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!edges)
        return 0;
    for (std::size_t i = 1; i < edges->size(); ++i) {
        if ((*edges)[i].micros < (*edges)[i - 1].micros)
            std::abort();
    }
    const Result<sending::KeyEdges> again = sending::parseEdgeText(sending::edgeText(*edges));
    if (!again || *again != *edges)
        std::abort();
    sending::Decoder decoder(table, 20);
    for (const sending::KeyEdge& edge : *edges)
        decoder.edge(edge);
    decoder.idle(edges->back().micros + 60'000'000);
    (void)sending::fistReport(decoder.elements(), decoder.text(), "CQ");
    // The keyer on short stretches only: a held paddle keys until its end.
    if (edges->back().micros - edges->front().micros < 60'000'000)
        (void)sending::runKeyer({}, *edges);
    return 0;
}
