#include "cli/key_command.h"

#include "cli/check_report.h"
#include "cli/command_line.h"
#include "cli/input_files.h"
#include "common/file_io.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "common/utf8.h"
#include "practice/material/vocabulary.h"
#include "sending/decoder.h"
#include "sending/edge_file.h"
#include "sending/fist_report.h"
#include "sending/keyer.h"
#include "sending/keyer_settings_text.h"

#include <charconv>
#include <istream>
#include <iterator>
#include <map>
#include <ostream>

namespace brivo::cli {
namespace {

constexpr std::string_view kUsage =
    "Usage : brivo-key decode [--wpm N] [--json] [--table FICHIER] FRONTS\n"
    "        brivo-key keyer [--mode MODE] [--wpm N] [--weight R] [--deaf P]\n"
    "                        [--sampling P] [--no-dit-memory] [--no-dah-memory]\n"
    "                        [--rate HZ] FRONTS\n"
    "        brivo-key report --target TEXTE [--wpm N] [--json] [--table FICHIER] FRONTS\n"
    "        brivo-key latency [--pulses N] [--rate HZ]\n"
    "La manipulation de BRIVO sans fenêtre. FRONTS est un fichier (ou - pour\n"
    "l'entrée standard) d'un front par ligne : « <millisecondes> <down|up>\n"
    "[dit|dah|key] ».\n"
    "\n"
    "  decode     écrit le texte décodé ; avec --json, aussi les éléments jugés,\n"
    "             leurs durées et la vitesse estimée\n"
    "  keyer      écrit les fronts de manipulation que le manipulateur\n"
    "             (--mode straight, bug, iambic-a, iambic-b, ultimatic ou\n"
    "             single-lever [iambic-b]) tire des fronts des palettes\n"
    "  report     le bilan de la main par rapport à --target\n"
    "  latency    mesure le retard du son de contrôle sur la carte son : la\n"
    "             sortie reliée à l'entrée par un câble, --pulses impulsions\n"
    "             (10 à 1000 [50]) sont jouées et chronométrées au retour\n"
    "\n"
    "  --wpm N          vitesse de départ, ou du manipulateur, 5 à 50 [20]\n"
    "  --weight R       longueur du trait en points, 2,5 à 4,5 [3]\n"
    "  --deaf P         temps sourd après chaque élément, en % d'un point [50]\n"
    "  --sampling P     iambic-b : où le serrage est lu dans l'élément, en % [35]\n"
    "  --rate HZ        fréquence du son de contrôle, 8000 à 48000 [11025]\n"
    "  --json           sortie en JSON\n"
    "  --table FICHIER  définitions du code morse (défaut : Codmorse.INI du\n"
    "                   dossier courant s'il existe, sinon la table intégrée)\n"
    "  -h, --help       affiche cette aide\n"
    "  --version        affiche la version\n"
    "\n"
    "Code de sortie : 0 si c'est fait, 1 si un fichier ne peut pas être lu,\n"
    "2 pour une option, des arguments ou des fronts refusés.\n";

constexpr Tool kTool{"brivo-key", kUsage};
constexpr std::uintmax_t kMaxEdgeBytes = 16U << 20U;

struct KeyOptions {
    double wpm = 20;
    bool json = false;
    std::optional<std::string> table;
    std::optional<std::string> target;
    sending::KeyerSettings keyer;
};

std::optional<double> number(const std::string& text)
{
    std::string copy = text;
    for (char& c : copy)
        c = c == ',' ? '.' : c;
    double value = 0;
    const auto [end, error] = std::from_chars(copy.data(), copy.data() + copy.size(), value);
    if (error != std::errc{} || end != copy.data() + copy.size())
        return std::nullopt;
    return value;
}

OptionTable::Valued inRange(double& field, double least, double most, const std::string& what)
{
    return [&field, least, most, what](const std::string& option, const std::string& value) -> Result<void> {
        const std::optional<double> read = number(value);
        if (!read || *read < least || *read > most)
            return fail(ErrorCode::Refused, option + " attend " + what + " (reçu " + messages::quoted(value) + ").");
        field = *read;
        return {};
    };
}

Result<std::string> readEdges(const std::string& path, CommandEnvironment& env)
{
    if (path == "-") {
        std::string text;
        std::istreambuf_iterator<char> it(env.in);
        for (const std::istreambuf_iterator<char> end; it != end && text.size() <= kMaxEdgeBytes; ++it)
            text += *it;
        if (text.size() > kMaxEdgeBytes)
            return fail(ErrorCode::TooLong, "l'entrée standard dépasse 16 Mo.");
        return text;
    }
    Result<std::string> file = readFileBytes(path, kMaxEdgeBytes);
    if (!file && file.error().code == ErrorCode::TooLong)
        return fail(ErrorCode::TooLong, messages::cannotRead(path, "il dépasse 16 Mo"));
    if (!file)
        return fail(ErrorCode::ReadFailed, messages::cannotRead(path, file.error().message));
    return file;
}

std::string_view kindName(sending::JudgedElement::Kind kind)
{
    using Kind = sending::JudgedElement::Kind;
    switch (kind) {
    case Kind::Dit:
        return "dit";
    case Kind::Dah:
        return "dah";
    case Kind::ElementGap:
        return "element_gap";
    case Kind::LetterGap:
        return "letter_gap";
    case Kind::WordGap:
        break;
    }
    return "word_gap";
}

std::string measureJson(const sending::TimingMeasure& m)
{
    return "{\"count\": " + std::to_string(m.count) + ", \"dits\": " + fixedText(m.dits, 2) +
           ", \"ideal\": " + fixedText(m.ideal, 0) + ", \"variation\": " + fixedText(m.variation, 3) + "}";
}

void printReport(std::ostream& out, const sending::FistReport& report, bool json)
{
    if (json) {
        std::string wrong;
        for (const auto& [sent, received] : report.wrong)
            wrong += (wrong.empty() ? "" : ", ") + std::string("[") + jsonText(std::u32string(1, sent)) + ", " +
                     jsonText(std::u32string(1, received)) + "]";
        std::string faults;
        for (const std::string& fault : report.faults)
            faults += (faults.empty() ? "" : ", ") + jsonText(decodeUtf8(fault));
        std::string furthest;
        for (const sending::CharacterTiming& timing : report.furthest)
            furthest += (furthest.empty() ? "" : ", ") + jsonText(decodeUtf8(sending::characterTimingText(timing)));
        out << "{\"decoded\": " << jsonText(decodeUtf8(report.decoded)) << ", \"wpm\": " << fixedText(report.wpm, 1)
            << ", \"score\": " << fixedText(report.score, 1) << ", \"dit\": " << measureJson(report.dit)
            << ", \"dah\": " << measureJson(report.dah) << ", \"element_gap\": " << measureJson(report.elementGap)
            << ", \"letter_gap\": " << measureJson(report.letterGap)
            << ", \"word_gap\": " << measureJson(report.wordGap) << ", \"wrong\": [" << wrong << "], \"furthest\": ["
            << furthest << "], \"faults\": [" << faults << "]}\n";
        return;
    }
    const auto line = [&out](const char* name, const sending::TimingMeasure& m) {
        if (m.count == 0) {
            out << name << "aucun\n";
            return;
        }
        out << name << fixedText(m.dits, 2, ',') << " points (idéal " << fixedText(m.ideal, 0, ',') << "), variation "
            << fixedText(100 * m.variation, 0, ',') << " %\n";
    };
    out << "Décodé : " << report.decoded << "\nVitesse : " << fixedText(report.wpm, 1, ',')
        << " mots/mn\nNote : " << fixedText(report.score, 0, ',') << " sur 100\n";
    line("Traits : ", report.dah);
    line("Espaces dans les lettres : ", report.elementGap);
    line("Espaces entre lettres : ", report.letterGap);
    line("Espaces entre mots : ", report.wordGap);
    for (const auto& [sent, received] : report.wrong)
        out << "« " << encodeUtf8(std::u32string(1, sent)) << " » reçu comme « "
            << encodeUtf8(std::u32string(1, received)) << " »\n";
    for (const sending::CharacterTiming& timing : report.furthest)
        out << "Loin du juste : " << sending::characterTimingText(timing) << "\n";
    for (const std::string& fault : report.faults)
        out << "À travailler : " << fault << ".\n";
}

int runDecoder(const std::string& mode, const KeyOptions& options, const sending::KeyEdges& edges,
               CommandEnvironment& env)
{
    const Result<MorseTable> table = readCodeTable(options.table);
    if (!table)
        return kTool.report(env, kExitFileError, table.error().message);
    sending::Decoder decoder(*table, options.wpm);
    decoder.setVocabulary(practice::sendingVocabulary());
    for (const sending::KeyEdge& edge : edges)
        decoder.edge(edge);
    decoder.idle(edges.back().micros + 600'000'000);
    if (mode == "report") {
        printReport(env.out, sending::fistReport(decoder.elements(), decoder.text(), *options.target), options.json);
        return kExitOk;
    }
    if (!options.json) {
        env.out << decoder.text() << "\n";
        return kExitOk;
    }
    std::string elements;
    for (const sending::JudgedElement& element : decoder.elements())
        elements += (elements.empty() ? "" : ", ") + std::string("{\"kind\": \"") +
                    std::string(kindName(element.kind)) + "\", \"ms\": " + fixedText(element.seconds * 1000, 3) +
                    ", \"wpm\": " + fixedText(1.2 / element.ditSeconds, 1) + "}";
    env.out << "{\"text\": " << jsonText(decodeUtf8(decoder.text())) << ", \"wpm\": " << fixedText(decoder.wpm(), 1)
            << ", \"elements\": [" << elements << "]}\n";
    return kExitOk;
}

int runLatency(const LatencyCheck& latency, int pulses, int rate, CommandEnvironment& env)
{
    if (!latency)
        return kTool.report(env, kExitFileError, "la mesure sur la carte son n'est pas disponible ici.");
    const Result<LatencyResult> measured = latency(pulses, rate);
    if (!measured)
        return kTool.report(env, kExitFileError, measured.error().message);
    env.out << "Aller-retour de la manipulation au son revenu : " << measured->heard << " impulsions sur "
            << measured->sent << ", " << fixedText(measured->stats.medianMs, 1, ',') << " ms (médiane), "
            << fixedText(measured->stats.p99Ms, 1, ',') << " ms (99 %), écart "
            << fixedText(measured->stats.spreadMs, 1, ',') << " ms.\n";
    return kExitOk;
}

} // namespace

int runKeyCommand(const std::vector<std::string>& args, CommandEnvironment& env, const LatencyCheck& latency)
{
    KeyOptions options;
    double pulses = 50;
    options.keyer.samplingPercent = 35;
    double rate = options.keyer.sampleRate;
    OptionTable table;
    table.switches["--json"] = [&options](const std::string&) -> Result<void> {
        options.json = true;
        return {};
    };
    table.switches["--no-dit-memory"] = [&options](const std::string&) -> Result<void> {
        options.keyer.ditMemory = false;
        return {};
    };
    table.switches["--no-dah-memory"] = [&options](const std::string&) -> Result<void> {
        options.keyer.dahMemory = false;
        return {};
    };
    table.valued["--table"] = [&options](const std::string&, const std::string& value) -> Result<void> {
        options.table = value;
        return {};
    };
    table.valued["--target"] = [&options](const std::string&, const std::string& value) -> Result<void> {
        options.target = value;
        return {};
    };
    table.valued["--mode"] = [&options](const std::string&, const std::string& value) -> Result<void> {
        const std::optional<sending::KeyerMode> mode = sending::keyerModeNamed(value);
        if (!mode)
            return fail(ErrorCode::Refused, "--mode attend straight, bug, iambic-a, iambic-b, ultimatic ou "
                                            "single-lever (reçu " +
                                                messages::quoted(value) + ").");
        options.keyer.mode = *mode;
        return {};
    };
    table.valued["--wpm"] = inRange(options.wpm, 5, 50, "une vitesse de 5 à 50 mots par minute");
    table.valued["--weight"] = inRange(options.keyer.weight, 2.5, 4.5, "un trait de 2,5 à 4,5 points");
    table.valued["--deaf"] = inRange(options.keyer.deafPercent, 0, 100, "un pourcentage de 0 à 100");
    table.valued["--sampling"] = inRange(options.keyer.samplingPercent, 0, 100, "un pourcentage de 0 à 100");
    table.valued["--rate"] = inRange(rate, 8000, 48000, "une fréquence de 8000 à 48000 Hz");
    table.valued["--pulses"] = inRange(pulses, 10, 1000, "un nombre d'impulsions de 10 à 1000");
    const Result<CommandLine> line = readCommandLine(args, table);
    if (!line)
        return kTool.report(env, kExitRefused, line.error().message + "\n" + std::string(kUsage));
    if (const std::optional<int> answered = kTool.helpOrVersion(*line, env))
        return *answered;
    const std::vector<std::string>& words = line->operands;
    const std::string mode = words.empty() ? std::string() : words.front();
    if (mode == "latency" && words.size() == 1)
        return runLatency(latency, static_cast<int>(pulses), static_cast<int>(rate), env);
    if (mode != "decode" && mode != "keyer" && mode != "report")
        return kTool.report(env, kExitRefused, "dites decode, keyer, report ou latency.\n" + std::string(kUsage));
    if (words.size() != 2)
        return kTool.report(env, kExitRefused, "il faut un fichier de fronts (ou -).\n" + std::string(kUsage));
    if (mode == "report" && !options.target)
        return kTool.report(env, kExitRefused, "report attend --target TEXTE, le texte à envoyer.");
    const Result<std::string> text = readEdges(words[1], env);
    if (!text)
        return kTool.report(env, text.error().code == ErrorCode::TooLong ? kExitRefused : kExitFileError,
                            text.error().message);
    const Result<sending::KeyEdges> edges = sending::parseEdgeText(*text);
    if (!edges)
        return kTool.report(env, kExitRefused, messages::quoted(words[1]) + ", " + edges.error().message);
    if (mode != "keyer")
        return runDecoder(mode, options, *edges, env);
    options.keyer.wpm = options.wpm;
    options.keyer.sampleRate = static_cast<int>(rate);
    env.out << sending::edgeText(sending::runKeyer(options.keyer, *edges));
    return kExitOk;
}

} // namespace brivo::cli
