#include "cli/lesson_options.h"

#include "cli/command_line.h"
#include "common/messages.h"

#include <charconv>

namespace brivo::cli {
namespace {

constexpr std::string_view kUsage =
    "Usage : brivo-lesson [options]                  le texte de la prochaine séance\n"
    "        brivo-lesson --record ENVOYÉ COPIE [options]  enregistre une copie corrigée\n"
    "        brivo-lesson --status [options]         où en est le cours\n"
    "Le cours Koch de BRIVO : la leçon n enseigne les n premiers caractères de\n"
    "l'ordre, le n-ième étant le nouveau. Le cours est gardé dans l'historique\n"
    "du contrôle de la copie, et passe à la leçon suivante tout seul.\n"
    "\n"
    "  --history FICHIER  historique (défaut : celui de la fenêtre)\n"
    "  --order lcwo|kochmorse|FICHIER  ordre des caractères [lcwo]\n"
    "  --table FICHIER    définitions du code morse (défaut : Codmorse.INI du\n"
    "                     dossier courant s'il existe, sinon la table intégrée)\n"
    "  --lesson N         leçon choisie (2 à la longueur de l'ordre) ; sans elle,\n"
    "                     celle de l'historique\n"
    "  --groups N         longueur de la séance en groupes\n"
    "  --minutes M        longueur en minutes aux vitesses du cours [5]\n"
    "  --group-size N|random  lettres par groupe, 2 à 8, ou au hasard [5]\n"
    "  --wpm N            vitesse des caractères en mots par minute (PARIS),\n"
    "                     5 à 33 [20]\n"
    "  --effective N      vitesse effective (ARRL), 5 à --wpm [10]\n"
    "  --material KIND    matériel de la séance : groups (groupes du cours),\n"
    "                     words (mots courants), calls (indicatifs), abbrev\n"
    "                     (abréviations et codes Q), qso (contacts entiers),\n"
    "                     list (la liste de --list) [groups] ; --groups compte\n"
    "                     alors des éléments\n"
    "  --lang fr|en       langue des mots et des QSO [fr]\n"
    "  --list FICHIER     liste personnelle, un élément par ligne\n"
    "  --drill characters|callsigns  le plan d'un exercice de reconnaissance :\n"
    "                     une série de caractères de la leçon, tirés selon\n"
    "                     leurs erreurs et leur lenteur, ou 50 indicatifs dont\n"
    "                     la vitesse monte de 2 mots/mn après un juste\n"
    "  --answers FICHIER  note les réponses à l'exercice : une ligne par\n"
    "                     élément, le caractère tapé (- pour aucun) et le temps\n"
    "                     de réaction en ms, ou la copie de l'indicatif suivie\n"
    "                     de * s'il a été rejoué\n"
    "  --seed N           graine du tirage (défaut : l'horloge)\n"
    "  --json             sortie en JSON\n"
    "  -h, --help         affiche cette aide\n"
    "  --version          affiche la version\n"
    "\n"
    "Hors groupes, le matériel ne garde que les caractères de la leçon quand\n"
    "l'historique a une leçon de cet ordre ou que --lesson en donne une.\n"
    "\n"
    "Code de sortie : 0 si c'est fait, 1 si un fichier ne peut pas être lu ou\n"
    "écrit ou si le matériel n'a rien à tirer, 2 pour une option ou des\n"
    "arguments refusés.\n";

template <typename Number> std::optional<Number> number(std::string_view text)
{
    Number value{};
    std::string copy(text);
    for (char& c : copy)
        c = c == ',' ? '.' : c;
    const auto [end, error] = std::from_chars(copy.data(), copy.data() + copy.size(), value);
    if (error != std::errc{} || end != copy.data() + copy.size())
        return std::nullopt;
    return value;
}

} // namespace

std::string_view lessonUsage()
{
    return kUsage;
}

Result<LessonOptions> parseLessonOptions(const std::vector<std::string>& args, LessonOptions options)
{
    const auto refused = [](const std::string& message) { return fail(ErrorCode::Refused, message); };
    const auto set = [](bool& flag) {
        return [&flag](const std::string&) -> Result<void> {
            flag = true;
            return {};
        };
    };
    OptionTable table;
    table.switches["--json"] = set(options.json);
    table.switches["--status"] = set(options.status);
    using Value = const std::string&;
    // --record SENT COPY: the copy is the one operand.
    table.valued["--record"] = [&options](Value, Value v) -> Result<void> {
        options.record = {v};
        return {};
    };
    table.valued["--history"] = [&options](Value, Value v) -> Result<void> {
        options.history = v;
        return {};
    };
    table.valued["--list"] = [&options](Value, Value v) -> Result<void> {
        options.list = v;
        return {};
    };
    table.valued["--order"] = [&options](Value, Value v) -> Result<void> {
        options.order = v;
        return {};
    };
    table.valued["--table"] = [&options](Value, Value v) -> Result<void> {
        options.table = v;
        return {};
    };
    table.valued["--material"] = [&](Value, Value v) -> Result<void> {
        const auto kind = practice::materialKindNamed(v);
        if (!kind)
            return refused("--material attend groups, words, calls, abbrev, qso ou list.");
        options.material = *kind;
        return {};
    };
    table.valued["--drill"] = [&](Value, Value v) -> Result<void> {
        if (v != "characters" && v != "callsigns")
            return refused("--drill attend characters ou callsigns.");
        options.drill = v;
        return {};
    };
    table.valued["--answers"] = [&options](Value, Value v) -> Result<void> {
        options.answers = v;
        return {};
    };
    table.valued["--lang"] = [&](Value, Value v) -> Result<void> {
        if (v != "fr" && v != "en")
            return refused("--lang attend fr ou en.");
        options.language = v == "fr" ? practice::Language::French : practice::Language::English;
        return {};
    };
    table.valued["--lesson"] = [&](Value, Value v) -> Result<void> {
        options.lesson = number<int>(v);
        if (!options.lesson)
            return refused("--lesson attend un numéro de leçon.");
        return {};
    };
    table.valued["--groups"] = [&](Value, Value v) -> Result<void> {
        const auto groups = number<int>(v);
        if (!groups || *groups < 1 || *groups > 10000)
            return refused("--groups attend un nombre de groupes de 1 à 10000.");
        options.session.groups = groups;
        options.session.minutes.reset();
        return {};
    };
    table.valued["--minutes"] = [&](Value, Value v) -> Result<void> {
        const auto minutes = number<double>(v);
        if (!minutes || !(*minutes > 0) || *minutes > 120)
            return refused("--minutes attend une durée de plus de 0 à 120 minutes.");
        options.session.minutes = minutes;
        options.session.groups.reset();
        return {};
    };
    table.valued["--group-size"] = [&](Value, Value v) -> Result<void> {
        const auto size = v == "random" ? std::optional<int>(0) : number<int>(v);
        if (!size || (*size != 0 && (*size < 2 || *size > 8)))
            return refused("--group-size attend 2 à 8, ou random.");
        options.session.groupSize = *size;
        return {};
    };
    const auto speed = [&](Value option, Value v) -> Result<void> {
        const auto wpm = number<int>(v);
        if (!wpm || *wpm < practice::CourseSpeeds::kMinWpm || *wpm > practice::CourseSpeeds::kMaxWpm)
            return refused(option + " attend une vitesse de 5 à 33 mots par minute.");
        (option == "--wpm" ? options.speeds.characterWpm : options.speeds.effectiveWpm) = *wpm;
        return {};
    };
    table.valued["--wpm"] = speed;
    table.valued["--effective"] = speed;
    table.valued["--seed"] = [&](Value, Value v) -> Result<void> {
        options.seed = number<std::uint32_t>(v);
        if (!options.seed)
            return refused("--seed attend un entier de 0 à 4294967295.");
        return {};
    };
    const Result<CommandLine> line = readCommandLine(args, table);
    if (!line)
        return fail(ErrorCode::Refused, line.error().message + "\n" + std::string(lessonUsage()));
    options.help = line->help;
    options.version = line->version;
    if (!options.record.empty()) {
        if (line->operands.size() != 1)
            return refused("--record attend deux fichiers : le texte envoyé et la copie.");
        options.record.push_back(line->operands.front());
    } else if (!line->operands.empty()) {
        return refused("argument inattendu " + messages::quoted(line->operands.front()) + ".\n" +
                       std::string(lessonUsage()));
    }
    if (options.speeds.effectiveWpm > options.speeds.characterWpm)
        return refused("la vitesse effective (--effective) ne peut pas dépasser celle des caractères (--wpm).");
    if (options.answers && !options.drill)
        return refused("--answers va avec --drill.");
    if (options.drill && (options.status || !options.record.empty()))
        return refused("--drill ne va ni avec --status ni avec --record.");
    if (options.status && !options.record.empty())
        return refused("--status et --record ne vont pas ensemble.");
    if ((options.material == practice::MaterialKind::List) != options.list.has_value())
        return refused("--list va avec --material list, et --material list avec --list.");
    return options;
}

} // namespace brivo::cli
