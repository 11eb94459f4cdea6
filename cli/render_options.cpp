#include "cli/render_options.h"

#include "audio/message_renderer.h"
#include "cli/command_line.h"
#include "common/messages.h"
#include "common/utf8.h"
#include "reception/keyed_marks.h"
#include "reception/render_check.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <map>

namespace brivo::cli {
namespace {

std::optional<long long> parseInteger(const std::string& text)
{
    long long value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    if (!text.empty() && text.front() == '+')
        ++first;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || first == last)
        return std::nullopt;
    return value;
}

// A decimal number with at most one decimal (point or comma), in tenths.
std::optional<long long> parseTenths(const std::string& text)
{
    const auto separator = text.find_first_of(".,");
    // Whole parts beyond a billion are refused before they can overflow.
    constexpr long long kLargest = 1'000'000'000;
    if (separator == std::string::npos) {
        const auto whole = parseInteger(text);
        return whole && *whole >= -kLargest && *whole <= kLargest ? std::optional<long long>(*whole * 10)
                                                                  : std::nullopt;
    }
    const std::string decimals = text.substr(separator + 1);
    const auto whole = parseInteger(text.substr(0, separator));
    if (!whole || *whole < 0 || *whole > kLargest || decimals.size() != 1 || decimals[0] < '0' || decimals[0] > '9')
        return std::nullopt;
    return *whole * 10 + (decimals[0] - '0');
}

// A decimal number, with a point or a comma.
std::optional<double> parseDecimal(std::string text)
{
    std::replace(text.begin(), text.end(), ',', '.');
    const char* first = text.data();
    const char* last = first + text.size();
    if (!text.empty() && text.front() == '+')
        ++first;
    double value = 0;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || first == last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c); });
    return text;
}

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return text;
}

Error refused(std::string message)
{
    return fail(ErrorCode::Refused, std::move(message));
}

Error rangeError(const std::string& option, const std::string& accepted, const std::string& value)
{
    return refused("l'option " + option + " attend " + accepted + " (reçu " + messages::quoted(value) + ").");
}

// Handlers take the option's value and store it, or refuse it.
using ValueHandler = std::function<Result<void>(RenderOptions&, const std::string& option, const std::string& value)>;

ValueHandler integerIn(ControlRange range, int KeyingParameters::*field)
{
    return [=](RenderOptions& o, const std::string& option, const std::string& value) -> Result<void> {
        const auto number = parseInteger(value);
        if (!number || *number < range.minimum || *number > range.maximum)
            return rangeError(
                option, "un entier de " + std::to_string(range.minimum) + " à " + std::to_string(range.maximum), value);
        o.parameters.*field = static_cast<int>(*number);
        return {};
    };
}

ValueHandler limitedText(std::string RenderOptions::*field)
{
    return [=](RenderOptions& o, const std::string& option, const std::string& value) -> Result<void> {
        // Read like the text itself: UTF-8 when it is, else Windows-1252.
        std::string text = textFileToUtf8(value);
        if (decodeUtf8(text).size() > static_cast<std::size_t>(kEndCharactersMax))
            return rangeError(option, "au plus " + std::to_string(kEndCharactersMax) + " caractères", text);
        o.*field = std::move(text);
        return {};
    };
}

ValueHandler text(std::string RenderOptions::*field)
{
    return [=](RenderOptions& o, const std::string&, const std::string& value) -> Result<void> {
        o.*field = value;
        return {};
    };
}

ValueHandler optionalText(std::optional<std::string> RenderOptions::*field)
{
    return [=](RenderOptions& o, const std::string&, const std::string& value) -> Result<void> {
        o.*field = value;
        return {};
    };
}

using Conditions = reception::ReceptionConditions;

// A number stored into a condition; ranges are checked with the others once
// the whole line is read.
template <typename Field> ValueHandler conditionNumber(Field Conditions::*field)
{
    return [=](RenderOptions& o, const std::string& option, const std::string& value) -> Result<void> {
        const auto number = parseDecimal(value);
        if (!number)
            return rangeError(option, "un nombre", value);
        o.conditions.*field = static_cast<typename Field::value_type>(*number);
        return {};
    };
}

ValueHandler conditionValue(double Conditions::*field)
{
    return [=](RenderOptions& o, const std::string& option, const std::string& value) -> Result<void> {
        const auto number = parseDecimal(value);
        if (!number)
            return rangeError(option, "un nombre", value);
        o.conditions.*field = *number;
        return {};
    };
}

std::string rateList()
{
    std::string list;
    const auto& rates = exporting::kExportRates;
    for (std::size_t i = 0; i < rates.size(); ++i) {
        if (i > 0)
            list += i + 1 == rates.size() ? " ou " : ", ";
        list += std::to_string(rates[i]);
    }
    return list;
}

ValueHandler tagText(std::string exporting::Tags::*field)
{
    return [=](RenderOptions& o, const std::string& option, const std::string& value) -> Result<void> {
        if (!isValidUtf8(value))
            return rangeError(option, "du texte UTF-8", value);
        o.tags.*field = value;
        o.commentGiven = o.commentGiven || option == "--comment";
        return {};
    };
}

const std::map<std::string, ValueHandler>& valueOptions()
{
    static const std::map<std::string, ValueHandler> handlers = {
        {"--output", text(&RenderOptions::output)},
        {"--input", optionalText(&RenderOptions::input)},
        {"--table", optionalText(&RenderOptions::table)},
        {"--tone", integerIn(sound::kTone, &KeyingParameters::tonePosition)},
        {"--signal", integerIn(sound::kSignal, &KeyingParameters::signalPosition)},
        {"--noise", integerIn(sound::kNoise, &KeyingParameters::noisePosition)},
        {"--speed", integerIn(sound::kSpeed, &KeyingParameters::speedPosition)},
        {"--spacing", integerIn(sound::kSpacing, &KeyingParameters::spacingFactor)},
        {"--start", limitedText(&RenderOptions::start)},
        {"--end", limitedText(&RenderOptions::end)},
        {"--frequency",
         [](RenderOptions& o, const std::string& option, const std::string& v) -> Result<void> {
             const int lowest = sound::toneHz(sound::kTone.minimum);
             const int highest = sound::toneHz(sound::kTone.maximum);
             const int step = sound::toneHz(1) - sound::toneHz(0);
             const auto hz = parseInteger(v);
             if (!hz || *hz < lowest || *hz > highest || (*hz - lowest) % step != 0)
                 return rangeError(option,
                                   "une fréquence en Hz de " + std::to_string(lowest) + " à " +
                                       std::to_string(highest) + ", par pas de " + std::to_string(step),
                                   v);
             o.parameters.tonePosition = static_cast<int>((*hz - lowest) / step);
             return {};
         }},
        {"--wpm",
         [](RenderOptions& o, const std::string& option, const std::string& v) -> Result<void> {
             // The speed position is six times the words per minute.
             const auto tenths = parseTenths(v);
             const long long position = tenths ? *tenths * 6 / 10 : 0;
             if (!tenths || (*tenths * 6) % 10 != 0 || position < sound::kSpeed.minimum ||
                 position > sound::kSpeed.maximum)
                 return rangeError(option,
                                   "des mots par minute de 3,5 à 33 dont le sextuple est entier (12, 12,5, 20...)", v);
             o.parameters.speedPosition = static_cast<int>(position);
             return {};
         }},
        {"--word",
         [](RenderOptions& o, const std::string& option, const std::string& v) -> Result<void> {
             const std::string word = upper(v);
             if (word != "PARIS" && word != "CODEX")
                 return rangeError(option, "PARIS ou CODEX", v);
             o.parameters.referenceWord = word == "PARIS" ? ReferenceWord::Paris : ReferenceWord::Codex;
             return {};
         }},
        {"--rate",
         [](RenderOptions& o, const std::string& option, const std::string& v) -> Result<void> {
             const auto& rates = sound::kSampleRates;
             const auto& exportRates = exporting::kExportRates;
             const auto hz = parseInteger(v);
             if (!hz || std::find(exportRates.begin(), exportRates.end(), *hz) == exportRates.end())
                 return rangeError(option, rateList(), v);
             // A rate of the window's list keeps its index; the others are
             // taken as the previous rate, with no index chosen.
             const auto found = std::find(rates.begin(), rates.end(), *hz);
             o.exportRate = found == rates.end() ? static_cast<int>(*hz) : 0;
             o.parameters.sampleRateIndex =
                 found == rates.end() ? std::nullopt : std::optional<int>(static_cast<int>(found - rates.begin()));
             return {};
         }},
        {"--format",
         [](RenderOptions& o, const std::string& option, const std::string& v) -> Result<void> {
             o.format = exporting::formatNamed(lower(v));
             if (!o.format)
                 return rangeError(option, "wav, flac, mp3, ogg ou opus", v);
             return {};
         }},
        {"--quality",
         [](RenderOptions& o, const std::string& option, const std::string& v) -> Result<void> {
             const auto quality = parseInteger(v);
             if (!quality || *quality < 0 || *quality > 10)
                 return rangeError(option, "un entier de 0 à 10", v);
             o.quality = static_cast<int>(*quality);
             return {};
         }},
        {"--title", tagText(&exporting::Tags::title)},
        {"--artist", tagText(&exporting::Tags::artist)},
        {"--album", tagText(&exporting::Tags::album)},
        {"--comment", tagText(&exporting::Tags::comment)},
        {"--split-minutes",
         [](RenderOptions& o, const std::string& option, const std::string& v) -> Result<void> {
             const auto minutes = parseDecimal(v);
             if (!minutes || !(*minutes > 0) || *minutes > 600)
                 return rangeError(option, "une durée de plus de 0 à 600 minutes", v);
             o.split = {exporting::SplitSpec::Mode::Minutes, *minutes};
             return {};
         }},
        {"--effective-wpm", conditionNumber(&Conditions::effectiveWpm)},
        {"--ramp-to", conditionNumber(&Conditions::rampToWpm)},
        {"--rise", conditionNumber(&Conditions::riseMs)},
        {"--snr", conditionNumber(&Conditions::snrDb)},
        {"--qsb", conditionNumber(&Conditions::qsbHz)},
        {"--qsb-k", conditionValue(&Conditions::qsbK)},
        {"--qrn", conditionValue(&Conditions::qrnRate)},
        {"--crashes", conditionValue(&Conditions::crashRate)},
        {"--chirp", conditionValue(&Conditions::chirpHz)},
        {"--chirp-tau", conditionValue(&Conditions::chirpTauMs)},
        {"--qrm",
         [](RenderOptions& o, const std::string& option, const std::string& v) -> Result<void> {
             const auto count = parseInteger(v);
             if (!count || *count < 0 || *count > 5)
                 return rangeError(option, "un entier de 0 à 5", v);
             o.conditions.qrm = static_cast<int>(*count);
             return {};
         }},
        {"--filter",
         [](RenderOptions& o, const std::string& option, const std::string& v) -> Result<void> {
             if (upper(v) == "OFF") {
                 o.conditions.filterHz.reset();
                 return {};
             }
             const auto hz = parseDecimal(v);
             if (!hz)
                 return rangeError(option, "une largeur en Hz de 100 à 2400, ou off", v);
             o.conditions.filterHz = *hz;
             return {};
         }},
        {"--filter-shape",
         [](RenderOptions& o, const std::string& option, const std::string& v) -> Result<void> {
             const std::string shape = upper(v);
             if (shape != "BUTTERWORTH" && shape != "CHEBYSHEV")
                 return rangeError(option, "butterworth ou chebyshev", v);
             o.conditions.filterShape =
                 shape == "BUTTERWORTH" ? reception::FilterShape::Butterworth : reception::FilterShape::Chebyshev;
             return {};
         }},
        {"--shape",
         [](RenderOptions& o, const std::string& option, const std::string& v) -> Result<void> {
             static const std::map<std::string, reception::EnvelopeShape> shapes = {
                 {"BLACKMAN", reception::EnvelopeShape::BlackmanHarris},
                 {"COSINE", reception::EnvelopeShape::RaisedCosine},
                 {"LINEAR", reception::EnvelopeShape::Linear},
                 {"HARD", reception::EnvelopeShape::Hard}};
             const auto found = shapes.find(upper(v));
             if (found == shapes.end())
                 return rangeError(option, "blackman, cosine, linear ou hard", v);
             o.conditions.shape = found->second;
             return {};
         }},
        {"--speak-pause",
         [](RenderOptions& o, const std::string& option, const std::string& v) -> Result<void> {
             const auto seconds = parseDecimal(v);
             if (!seconds || *seconds < 1 || *seconds > 10)
                 return rangeError(option, "une pause de 1 à 10 secondes", v);
             o.spokenAnswers = o.spokenAnswers.value_or(speech::AnswerOptions{});
             o.spokenAnswers->pauseSeconds = *seconds;
             return {};
         }},
        {"--seed",
         [](RenderOptions& o, const std::string& option, const std::string& v) -> Result<void> {
             const auto seed = parseInteger(v);
             if (!seed || *seed < 0 || *seed > 0xFFFFFFFFLL)
                 return rangeError(option, "un entier de 0 à 4294967295", v);
             o.seed = static_cast<std::uint32_t>(*seed);
             return {};
         }},
    };
    return handlers;
}

} // namespace

Result<RenderOptions> parseRenderOptions(const std::vector<std::string>& args)
{
    RenderOptions options;
    OptionTable table;
    table.aliases["-o"] = "--output";
    table.switches["--live"] = [&options](const std::string&) -> Result<void> {
        options.live = true;
        return {};
    };
    const auto speak = [&options](const std::string& option) -> Result<void> {
        options.spokenAnswers = options.spokenAnswers.value_or(speech::AnswerOptions{});
        options.spokenAnswers->keyAgain = options.spokenAnswers->keyAgain || option == "--speak-again";
        return {};
    };
    table.switches["--speak"] = speak;
    table.switches["--speak-again"] = speak;
    table.switches["--split-lines"] = [&options](const std::string&) -> Result<void> {
        options.split = {exporting::SplitSpec::Mode::Lines, 0};
        return {};
    };
    table.switches["--flutter"] = [&options](const std::string&) -> Result<void> {
        options.conditions.qsbHz = reception::kFlutterHz;
        return {};
    };
    for (const auto& entry : valueOptions()) {
        const ValueHandler& handler = entry.second;
        table.valued[entry.first] = [&options, &handler](const std::string& option, const std::string& value) {
            return handler(options, option, value);
        };
    }
    const Result<CommandLine> line = readCommandLine(args, table);
    if (!line)
        return line.error();
    options.help = line->help;
    options.version = line->version;
    const std::vector<std::string>& words = line->operands;
    if (!words.empty()) {
        std::string text = words.front();
        for (std::size_t i = 1; i < words.size(); ++i)
            text += ' ' + words[i];
        options.text = text;
    }
    if (options.text && options.input)
        return refused("donnez le texte soit en argument, soit avec --input, pas les deux.");
    const auto given = [&args](std::string_view option) {
        return std::any_of(args.begin(), args.end(), [option](const std::string& a) {
            return a == option || (a.starts_with(option) && a.size() > option.size() && a[option.size()] == '=');
        });
    };
    if (options.spokenAnswers && options.live)
        return refused("--speak ne va pas avec --live : un caractère seul n'a pas de réponse.");
    if (given("--split-lines") && given("--split-minutes"))
        return refused("--split-lines et --split-minutes ne vont pas ensemble.");
    const bool kGiven = std::any_of(args.begin(), args.end(),
                                    [](const std::string& a) { return a == "--qsb-k" || a.starts_with("--qsb-k="); });
    if (kGiven && !options.conditions.qsbHz)
        return refused("--qsb-k règle le fading : donnez aussi --qsb ou --flutter.");
    if (const auto accepted = reception::checkRender(options.parameters, kDefaultSampleRate, options.conditions);
        !accepted)
        return accepted.error();
    return options;
}

namespace {

std::string span(ControlRange range)
{
    return std::to_string(range.minimum) + ".." + std::to_string(range.maximum);
}

std::string atStart(ControlRange range, const std::string& meaning = {})
{
    return " [" + std::to_string(range.initial) + (meaning.empty() ? "" : " = " + meaning) + "]";
}

// The sound options, with the ranges and first-start values of the window.
std::string soundOptionLines()
{
    std::string lines;
    const auto add = [&lines](const std::string& option, const std::string& text) {
        constexpr std::size_t kColumn = 18;
        lines +=
            "      " + option + std::string(option.size() < kColumn ? kColumn - option.size() : 1, ' ') + text + "\n";
    };
    using namespace sound;
    add("--tone " + span(kTone),
        "fréquence du ton : 300 + 5 x position Hz" + atStart(kTone, std::to_string(toneHz(kTone.initial)) + " Hz"));
    add("--frequency HZ", "la même en hertz : " + std::to_string(toneHz(kTone.minimum)) + " à " +
                              std::to_string(toneHz(kTone.maximum)) + ", par pas de 5");
    add("--signal " + span(kSignal),
        "niveau du signal : 120 x position" + atStart(kSignal, std::to_string(kSignal.initial / 2) + " %"));
    add("--noise " + span(kNoise), "souffle : bruit de 0 à 40 x position - 1" + atStart(kNoise));
    add("--speed " + span(kSpeed),
        "vitesse : 10 x position lettres/mn" + atStart(kSpeed, std::to_string(kSpeed.initial / 6) + " mots/mn"));
    add("--wpm N", "la même en mots par minute (N x 6 doit être entier)");
    add("--word PARIS|CODEX", "mot de référence de la vitesse [PARIS]");
    add("--spacing " + span(kSpacing), "facteur d'allongement des espaces entre lettres" + atStart(kSpacing));
    add("--rate HZ", rateList() + " [" + std::to_string(kDefaultSampleRate) + "]");
    add("", "(24000, 44100 et 48000 : pour l'exportation ; Opus veut 8000,");
    add("", "16000, 24000 ou 48000)");
    return lines;
}

} // namespace

std::string renderUsage()
{
    return R"(Utilisation : brivo-render [options] [TEXTE]
Rend TEXTE en code morse dans un fichier WAV (16 bits, mono), comme le bouton
« Générer » de BRIVO le fait pour la zone de saisie. Sans TEXTE, le texte est
lu dans le fichier donné par --input, sinon sur l'entrée standard. Un fichier
est lu en UTF-8 s'il en est, sinon en Windows-1252 ; chaque saut de ligne est
joué comme ceux de la zone de saisie (CR LF), le dernier aussi.

Fichiers :
  -o, --output FICHIER  fichier WAV à créer (défaut : Morse.WAV)
      --input FICHIER   fichier texte à rendre
      --table FICHIER   définitions du code morse (défaut : Codmorse.INI du
                        dossier courant s'il existe, sinon la table intégrée ;
                        ce fichier n'est jamais créé)

Son (positions des réglages de la fenêtre, valeurs par défaut entre crochets) :
)" + soundOptionLines() +
           R"(
Texte :
      --start TEXTE     lettres énoncées au début (5 caractères au plus)
      --end TEXTE       lettres signalant la fin (5 caractères au plus)
      --live            forme directe : le texte seul, sans silence avant ni
                        après, sans --start ni --end
      --speak           réponse parlée : après chaque groupe ou mot, une
                        pause puis sa réponse dite en français (espeak-ng) ;
                        les groupes sont épelés, les mots courants lus
      --speak-pause S   la pause avant chaque réponse, 1 à 10 s [2]
      --speak-again     « Morse, réponse, Morse » : la réponse parlée, puis
                        le groupe ou le mot manipulé une seconde fois
      --seed N          graine du générateur (0..4294967295) ; défaut :
                        l'heure, comme au démarrage du programme

Exportation (le format vient de l'extension de --output : .wav .flac .mp3
.ogg .opus, ou de --format ; un WAV sans découpe est le rendu décrit) :
      --format F        wav, flac, mp3, ogg (Vorbis) ou opus
      --quality 0..10   qualité de l'encodage, 10 la meilleure [5]
      --title T, --artist A, --album A, --comment C
                        étiquettes (UTF-8) ; par défaut le titre est le nom
                        du fichier, l'album « BRIVO », le commentaire la
                        vitesse, le ton et le rapport signal/bruit
                        (« 12 mots/mn, 795 Hz »)
      --split-minutes M une piste de plus au premier espace entre mots
                        après chaque M minutes
      --split-lines     une piste par ligne du texte
                        Les pistes sont NOM-01.ext, NOM-02.ext... avec leur
                        numéro dans les étiquettes, et une liste NOM.m3u8 ;
                        elles sont encodées sur tous les cœurs.

Conditions de réception (toutes absentes par défaut : le rendu est alors
celui de la fenêtre, octet pour octet) :
      --effective-wpm S vitesse effective ARRL en mots/mn, sous la vitesse
                        des caractères (pas avec --spacing autre que 1)
      --ramp-to WPM     rampe : la vitesse va en ligne droite de --wpm à
                        WPM mots/mn (3,5 à 60) au fil du texte ; la vitesse
                        effective suit en proportion
      --rise MS         temps de montée de la manipulation, 1 à 15 ms [5]
      --shape FORME     blackman, cosine, linear ou hard [blackman]
      --snr DB          bruit gaussien : rapport signal/bruit dans 500 Hz,
                        -15 à +40 dB (pas avec --noise)
      --filter HZ|off   filtre du récepteur centré sur le ton, 100 à 2400 Hz
      --filter-shape F  butterworth ou chebyshev (ondulation 0,5 dB)
      --qsb HZ          fading : étalement Doppler, 0,02 à 2 Hz ou 10 à 30 Hz
      --qsb-k K         facteur K du fading, de 0 (Rayleigh) à 100 [0]
      --flutter         fading rapide de 20 Hz (flutter aurora)
      --qrn N           parasites : impulsions par seconde, 0 à 200
      --crashes N       craquements par seconde, 0 à 1
      --qrm N           stations brouilleuses, 0 à 5
      --chirp HZ        glissement de fréquence à l'enfoncement, -150 à +150
      --chirp-tau MS    durée du glissement, 5 à 50 ms [20]

  -h, --help            affiche cette aide
      --version         affiche la version

Codes de sortie : 0 fichier créé ; 1 fichier illisible ou impossible à
écrire ; 2 option ou texte refusé.
)";
}

} // namespace brivo::cli
