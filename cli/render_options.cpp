#include "cli/render_options.h"

#include "common/utf8.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <map>

namespace brivo::cli {
namespace {

constexpr std::size_t kEditDebutFinMax = 5;

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
    if (separator == std::string::npos) {
        const auto whole = parseInteger(text);
        return whole ? std::optional<long long>(*whole * 10) : std::nullopt;
    }
    const std::string decimals = text.substr(separator + 1);
    const auto whole = parseInteger(text.substr(0, separator));
    if (!whole || *whole < 0 || decimals.size() != 1 || decimals[0] < '0' || decimals[0] > '9')
        return std::nullopt;
    return *whole * 10 + (decimals[0] - '0');
}

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c); });
    return text;
}

std::string guillemets(const std::string& text)
{
    return "« " + text + " »";
}

std::string rangeError(const std::string& option, const std::string& accepted, const std::string& value)
{
    return "l'option " + option + " attend " + accepted + " (reçu " + guillemets(value) + ").";
}

// Handlers take the option's value and return an error message, empty when
// the value was accepted.
using ValueHandler = std::function<std::string(RenderOptions&, const std::string& option, const std::string& value)>;

ValueHandler integerIn(long long low, long long high, int KeyingParameters::*field)
{
    return [=](RenderOptions& o, const std::string& option, const std::string& value) -> std::string {
        const auto number = parseInteger(value);
        if (!number || *number < low || *number > high)
            return rangeError(option, "un entier de " + std::to_string(low) + " à " + std::to_string(high), value);
        o.parameters.*field = static_cast<int>(*number);
        return {};
    };
}

ValueHandler limitedText(std::string RenderOptions::*field)
{
    return [=](RenderOptions& o, const std::string& option, const std::string& value) -> std::string {
        if (utf8::decode(value).size() > kEditDebutFinMax)
            return rangeError(option, "au plus 5 caractères", value);
        o.*field = value;
        return {};
    };
}

const std::map<std::string, ValueHandler>& valueOptions()
{
    static const std::map<std::string, ValueHandler> handlers = {
        {"--output",
         [](RenderOptions& o, const std::string&, const std::string& v) { return o.output = v, std::string(); }},
        {"--input",
         [](RenderOptions& o, const std::string&, const std::string& v) { return o.input = v, std::string(); }},
        {"--table",
         [](RenderOptions& o, const std::string&, const std::string& v) { return o.table = v, std::string(); }},
        {"--tone", integerIn(0, 240, &KeyingParameters::tonePosition)},
        {"--signal", integerIn(0, 200, &KeyingParameters::signalPosition)},
        {"--noise", integerIn(0, 200, &KeyingParameters::noisePosition)},
        {"--speed", integerIn(20, 200, &KeyingParameters::speedPosition)},
        {"--spacing", integerIn(1, 20, &KeyingParameters::spacingFactor)},
        {"--start", limitedText(&RenderOptions::start)},
        {"--end", limitedText(&RenderOptions::end)},
        {"--frequency",
         [](RenderOptions& o, const std::string& option, const std::string& v) -> std::string {
             const auto hz = parseInteger(v);
             if (!hz || *hz < 300 || *hz > 1500 || *hz % 5 != 0)
                 return rangeError(option, "une fréquence en Hz de 300 à 1500, par pas de 5", v);
             o.parameters.tonePosition = static_cast<int>((*hz - 300) / 5);
             return {};
         }},
        {"--wpm",
         [](RenderOptions& o, const std::string& option, const std::string& v) -> std::string {
             // The speed position is six times the words per minute.
             const auto tenths = parseTenths(v);
             if (!tenths || (*tenths * 6) % 10 != 0 || *tenths * 6 / 10 < 20 || *tenths * 6 / 10 > 200)
                 return rangeError(option,
                                   "des mots par minute de 3,5 à 33 dont le sextuple est entier (12, 12,5, 20...)", v);
             o.parameters.speedPosition = static_cast<int>(*tenths * 6 / 10);
             return {};
         }},
        {"--word",
         [](RenderOptions& o, const std::string& option, const std::string& v) -> std::string {
             const std::string word = upper(v);
             if (word != "PARIS" && word != "CODEX")
                 return rangeError(option, "PARIS ou CODEX", v);
             o.parameters.referenceWord = word == "PARIS" ? ReferenceWord::Paris : ReferenceWord::Codex;
             return {};
         }},
        {"--rate",
         [](RenderOptions& o, const std::string& option, const std::string& v) -> std::string {
             const auto hz = parseInteger(v);
             const auto found = hz ? std::find(kSampleRates.begin(), kSampleRates.end(), *hz) : kSampleRates.end();
             if (found == kSampleRates.end())
                 return rangeError(option, "4000, 8000, 11025, 16000 ou 22050", v);
             o.parameters.sampleRateIndex = static_cast<int>(found - kSampleRates.begin());
             return {};
         }},
        {"--seed",
         [](RenderOptions& o, const std::string& option, const std::string& v) -> std::string {
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

ParseResult parseRenderOptions(const std::vector<std::string>& args)
{
    RenderOptions options;
    std::vector<std::string> words;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            words.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            options.help = true;
            continue;
        }
        if (arg == "--version") {
            options.version = true;
            continue;
        }
        if (arg == "--live") {
            options.live = true;
            continue;
        }
        std::optional<std::string> inlineValue;
        if (const auto equals = arg.find('='); arg.starts_with("--") && equals != std::string::npos) {
            inlineValue = arg.substr(equals + 1);
            arg.resize(equals);
        }
        if (arg == "-o")
            arg = "--output";
        const auto handler = valueOptions().find(arg);
        if (handler == valueOptions().end())
            return {std::nullopt, "option inconnue " + guillemets(arg) + "."};
        if (!inlineValue && i + 1 >= args.size())
            return {std::nullopt, "l'option " + arg + " attend une valeur."};
        const std::string value = inlineValue ? *inlineValue : args[++i];
        if (std::string error = handler->second(options, arg, value); !error.empty())
            return {std::nullopt, error};
    }
    if (!words.empty()) {
        std::string text = words.front();
        for (std::size_t i = 1; i < words.size(); ++i)
            text += ' ' + words[i];
        options.text = text;
    }
    if (options.text && options.input)
        return {std::nullopt, "donnez le texte soit en argument, soit avec --input, pas les deux."};
    return {options, {}};
}

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
      --tone 0..240     fréquence du ton : 300 + 5 x position Hz [99 = 795 Hz]
      --frequency HZ    la même en hertz : 300 à 1500, par pas de 5
      --signal 0..200   niveau du signal : 120 x position [140 = 70 %]
      --noise 0..200    souffle : bruit de 0 à 40 x position - 1 [0]
      --speed 20..200   vitesse : 10 x position lettres/mn [72 = 12 mots/mn]
      --wpm N           la même en mots par minute (N x 6 doit être entier)
      --word PARIS|CODEX  mot de référence de la vitesse [PARIS]
      --spacing 1..20   facteur d'allongement des espaces entre lettres [1]
      --rate HZ         4000, 8000, 11025, 16000 ou 22050 [11025]

Texte :
      --start TEXTE     lettres énoncées au début (5 caractères au plus)
      --end TEXTE       lettres signalant la fin (5 caractères au plus)
      --live            forme directe : le texte seul, sans silence avant ni
                        après, sans --start ni --end
      --seed N          graine du générateur (0..4294967295) ; défaut :
                        l'heure, comme au démarrage du programme

  -h, --help            affiche cette aide
      --version         affiche la version

Codes de sortie : 0 fichier créé ; 1 fichier illisible ou impossible à
écrire ; 2 option ou texte refusé.
)";
}

} // namespace brivo::cli
