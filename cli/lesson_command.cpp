#include "cli/lesson_command.h"

#include "cli/check_report.h"
#include "cli/input_files.h"
#include "common/edit_text.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "common/utf8.h"
#include "common/version.h"
#include "practice/koch_course.h"
#include "practice/material/material.h"
#include "practice/material/word_lists.h"
#include "practice/ui/history_store.h"
#include "reception/keyed_marks.h"
#include "reception/reception_conditions.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <ostream>
#include <sstream>

namespace brivo::cli {
namespace {

using practice::CourseState;

constexpr std::string_view kProgram = "brivo-lesson";

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

struct LessonOptions {
    std::filesystem::path history;
    std::string order = std::string(practice::kDefaultOrderName);
    std::optional<std::string> table;
    std::optional<int> lesson;
    practice::SessionSpec session{std::nullopt, 5.0, 5};
    practice::CourseSpeeds speeds;
    std::optional<std::uint32_t> seed;
    bool json = false;
    bool status = false;
    std::vector<std::string> record; // the sent text and the copy
    practice::MaterialKind material = practice::MaterialKind::Groups;
    practice::Language language = practice::Language::French;
    std::optional<std::string> list;
};

int report(CommandEnvironment& env, int status, const std::string& message)
{
    env.err << kProgram << " : " << message << '\n';
    return status;
}

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

Result<LessonOptions> parseOptions(const std::vector<std::string>& args, LessonOptions options)
{
    const auto refused = [](const std::string& message) { return fail(ErrorCode::Refused, message); };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size())
                return std::nullopt;
            return args[++i];
        };
        if (arg == "--json") {
            options.json = true;
        } else if (arg == "--status") {
            options.status = true;
        } else if (arg == "--record") {
            if (i + 2 >= args.size())
                return refused("--record attend deux fichiers : le texte envoyé et la copie.");
            options.record = {args[i + 1], args[i + 2]};
            i += 2;
        } else if (arg == "--history" || arg == "--order" || arg == "--table" || arg == "--lesson" ||
                   arg == "--groups" || arg == "--minutes" || arg == "--group-size" || arg == "--wpm" ||
                   arg == "--effective" || arg == "--seed" || arg == "--material" || arg == "--lang" ||
                   arg == "--list") {
            const std::optional<std::string> given = value();
            if (!given)
                return refused("l'option " + arg + " attend une valeur.");
            const std::string& v = *given;
            if (arg == "--history") {
                options.history = v;
            } else if (arg == "--material") {
                const auto kind = practice::materialKindNamed(v);
                if (!kind)
                    return refused("--material attend groups, words, calls, abbrev, qso ou list.");
                options.material = *kind;
            } else if (arg == "--lang") {
                if (v != "fr" && v != "en")
                    return refused("--lang attend fr ou en.");
                options.language = v == "fr" ? practice::Language::French : practice::Language::English;
            } else if (arg == "--list") {
                options.list = v;
            } else if (arg == "--order") {
                options.order = v;
            } else if (arg == "--table") {
                options.table = v;
            } else if (arg == "--lesson") {
                options.lesson = number<int>(v);
                if (!options.lesson)
                    return refused("--lesson attend un numéro de leçon.");
            } else if (arg == "--groups") {
                const auto groups = number<int>(v);
                if (!groups || *groups < 1 || *groups > 10000)
                    return refused("--groups attend un nombre de groupes de 1 à 10000.");
                options.session.groups = groups;
                options.session.minutes.reset();
            } else if (arg == "--minutes") {
                const auto minutes = number<double>(v);
                if (!minutes || !(*minutes > 0) || *minutes > 120)
                    return refused("--minutes attend une durée de plus de 0 à 120 minutes.");
                options.session.minutes = minutes;
                options.session.groups.reset();
            } else if (arg == "--group-size") {
                const auto size = v == "random" ? std::optional<int>(0) : number<int>(v);
                if (!size || (*size != 0 && (*size < 2 || *size > 8)))
                    return refused("--group-size attend 2 à 8, ou random.");
                options.session.groupSize = *size;
            } else if (arg == "--wpm" || arg == "--effective") {
                const auto wpm = number<int>(v);
                if (!wpm || *wpm < practice::CourseSpeeds::kMinWpm || *wpm > practice::CourseSpeeds::kMaxWpm)
                    return refused(arg + " attend une vitesse de 5 à 33 mots par minute.");
                (arg == "--wpm" ? options.speeds.characterWpm : options.speeds.effectiveWpm) = *wpm;
            } else {
                options.seed = number<std::uint32_t>(v);
                if (!options.seed)
                    return refused("--seed attend un entier de 0 à 4294967295.");
            }
        } else {
            return refused("option inconnue " + messages::quoted(arg) + ".\n" + std::string(kUsage));
        }
    }
    if (options.speeds.effectiveWpm > options.speeds.characterWpm)
        return refused("la vitesse effective (--effective) ne peut pas dépasser celle des caractères (--wpm).");
    if (options.status && !options.record.empty())
        return refused("--status et --record ne vont pas ensemble.");
    if ((options.material == practice::MaterialKind::List) != options.list.has_value())
        return refused("--list va avec --material list, et --material list avec --list.");
    return options;
}

// Seeds a second apart start the sequence with nearly the same draw (its
// high bits move by the multiplier's high word only), so a day of clock
// seeds would open every session alike: the clock is mixed first, with
// splitmix64's finaliser.
std::uint32_t clockSeed(std::int64_t seconds)
{
    auto z = static_cast<std::uint64_t>(seconds) + 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
    return static_cast<std::uint32_t>(z ^ (z >> 31U));
}

void printStatus(std::ostream& out, const CourseState& state, const practice::AdvanceProgress& progress, bool json)
{
    const std::u32string characters = state.characters();
    if (json) {
        const auto perCharacter = [&](auto value) {
            std::string object = "{";
            for (const char32_t c : characters)
                object += (object.size() > 1 ? ", " : "") + jsonText(std::u32string(1, c)) + ": " + value(c);
            return object + "}";
        };
        out << "{\"order\": " << jsonText(state.order) << ", \"lesson\": " << state.lesson
            << ", \"characters\": " << jsonText(characters)
            << ", \"newest\": " << jsonText(std::u32string(1, state.newest()))
            << ", \"error_rates\": " << perCharacter([&](char32_t c) { return fixedText(state.errorRate(c), 4); })
            << ", \"weights\": " << perCharacter([&](char32_t c) { return fixedText(state.weight(c), 4); })
            << ", \"advance\": {\"last_score\": " << fixedText(progress.lastScore, 1)
            << ", \"last_sent\": " << progress.lastSent << ", \"newest_samples\": " << progress.newestSamples
            << ", \"newest_right\": " << progress.newestRight << "}}\n";
        return;
    }
    out << "Ordre : " << utf8::encode(state.order) << "\n";
    out << "Leçon " << state.lesson << " : " << utf8::encode(characters) << ", nouveau caractère "
        << utf8::encode(std::u32string(1, state.newest())) << "\n\nCaractère  Erreur  Poids\n";
    for (const char32_t c : characters)
        out << "  " << utf8::encode(std::u32string(1, c)) << "        " << fixedText(state.errorRate(c), 2, ',')
            << "    " << fixedText(state.weight(c), 2, ',') << "\n";
    out << "\nPour passer à la leçon suivante : score " << fixedText(progress.lastScore, 1, ',') << " (90,0 au moins), "
        << progress.lastSent << " caractères envoyés (100 au moins), nouveau caractère juste " << progress.newestRight
        << " fois sur " << progress.newestSamples << " (80 % de 10 au moins).\n";
}

} // namespace

int runLessonCommand(const std::vector<std::string>& args, CommandEnvironment& env,
                     const std::filesystem::path& defaultHistory)
{
    for (const std::string& arg : args) {
        if (arg == "-h" || arg == "--help") {
            env.out << kUsage;
            return kExitOk;
        }
        if (arg == "--version") {
            env.out << kProgram << " (BRIVO) " << kVersion << "\n";
            return kExitOk;
        }
    }
    LessonOptions defaults;
    defaults.history = defaultHistory;
    const Result<LessonOptions> parsed = parseOptions(args, defaults);
    if (!parsed)
        return report(env, kExitRefused, parsed.error().message);
    const LessonOptions& options = *parsed;

    const Result<MorseTable> table = readCodeTable(options.table);
    if (!table)
        return report(env, kExitFileError, table.error().message);
    const auto keyed = [&table](char32_t c) { return practice::hasPattern(*table, c); };
    std::string orderText;
    if (const std::optional<std::u32string> named = practice::namedOrder(options.order, keyed)) {
        orderText = utf8::encode(*named);
    } else {
        const Result<std::string> file = readUserText(options.order);
        if (!file)
            return report(env, kExitFileError, file.error().message);
        orderText = *file;
    }
    const Result<std::u32string> order = practice::parseOrder(orderText, keyed);
    if (!order)
        return report(env, kExitRefused, order.error().message);

    practice::HistoryStore store(options.history);
    const Result<practice::CourseHistory> history = store.course(*order);
    if (!history)
        return report(env, kExitFileError, history.error().message);
    practice::AdvanceProgress progress;
    CourseState state = practice::replayCourse(*order, history->checks, history->choices, &progress);
    if (options.lesson) {
        if (*options.lesson < practice::kFirstLesson || *options.lesson > static_cast<int>(order->size()))
            return report(env, kExitRefused,
                          "--lesson attend une leçon de 2 à " + std::to_string(order->size()) + " pour cet ordre.");
        if (*options.lesson != state.lesson) {
            practice::chooseLesson(state, *options.lesson);
            progress = {};
        }
    }

    if (options.status) {
        printStatus(env.out, state, progress, options.json);
        return kExitOk;
    }

    if (!options.record.empty()) {
        const Result<std::string> sent = readUserText(options.record[0]);
        if (!sent)
            return report(env, kExitFileError, sent.error().message);
        const Result<std::string> copied = readUserText(options.record[1]);
        if (!copied)
            return report(env, kExitFileError, copied.error().message);
        const Result<practice::CopyCheck> check =
            practice::checkCopy(*sent, *copied, keyed, [&table](char32_t c) { return practice::soundsAs(*table, c); });
        if (!check)
            return report(env, kExitFileError, check.error().message);
        practice::ExerciseConditions conditions;
        conditions.wpm = options.speeds.characterWpm;
        if (options.speeds.effectiveWpm < options.speeds.characterWpm)
            conditions.effectiveWpm = options.speeds.effectiveWpm;
        const int lesson = state.lesson;
        if (const Result<void> stored = store.record(
                *check, conditions, QDateTime::currentDateTimeUtc(),
                practice::CourseTag{*order, lesson, std::string(practice::materialKindName(options.material))});
            !stored)
            return report(env, kExitFileError, stored.error().message);
        const practice::AdvanceProgress judged = practice::recordCheck(state, *check);
        const std::string score = fixedText(check->score, 1);
        if (options.json) {
            env.out << "{\"score\": " << score << ", \"lesson\": " << lesson << ", \"next_lesson\": " << state.lesson
                    << ", \"newest\": " << jsonText(std::u32string(1, state.newest())) << "}\n";
        } else {
            env.out << "Score : " << fixedText(check->score, 1, ',') << " %\n";
            if (state.lesson != lesson)
                env.out << "Bravo : le cours passe à la leçon " << state.lesson << ", nouveau caractère "
                        << utf8::encode(std::u32string(1, state.newest())) << ".\n";
            else if (practice::courseCompleted(state, judged))
                env.out << practice::courseCompletedMessage(state) << "\n";
            else
                env.out << "Le cours reste à la leçon " << lesson << ".\n";
        }
        return kExitOk;
    }

    // A session's length in minutes is measured as the render keys it.
    const auto seconds = [&table, &options](const std::u32string& text) {
        return practice::courseSeconds(text, *table, options.speeds);
    };
    RandomGenerator random;
    random.seed(options.seed ? *options.seed : clockSeed(env.secondsNow ? env.secondsNow() : 0));
    if (options.material == practice::MaterialKind::Groups) {
        const std::u32string text = practice::drawSession(state, history->confusions, options.session, seconds, random);
        if (options.json)
            env.out << "{\"lesson\": " << state.lesson << ", \"characters\": " << jsonText(state.characters())
                    << ", \"text\": " << jsonText(text) << "}\n";
        else
            env.out << utf8::encode(text) << "\n";
        return kExitOk;
    }

    practice::MaterialSources sources;
    sources.language = options.language;
    practice::useTableSignals(sources, *table);
    practice::ItemDeck deck;
    if (options.material == practice::MaterialKind::Words) {
        sources.extraWords = practice::systemDictionaryWords(options.language);
    } else if (options.material == practice::MaterialKind::List) {
        const Result<std::string> listText = readUserText(*options.list);
        if (!listText)
            return report(env, kExitFileError, listText.error().message);
        practice::ItemList list = practice::parseItemList(*listText, keyed);
        if (list.unkeyable > 0)
            env.err << kProgram << " : " << practice::unkeyableMessage(list.unkeyable) << '\n';
        deck = practice::ItemDeck(std::move(list.items));
        sources.list = &deck;
    }
    practice::CharacterFilter filter{keyed, std::nullopt};
    // The lesson filters the material once the course has begun or one is chosen.
    if (!history->checks.empty() || options.lesson)
        filter.lesson = state.characters();
    practice::MaterialAmount amount{options.session.groups, options.session.minutes};
    const Result<practice::MaterialSession> session =
        practice::drawMaterial(options.material, sources, filter, amount, seconds, random);
    if (!session)
        return report(env, kExitFileError, session.error().message);
    if (options.json) {
        std::string meanings;
        for (const auto& [abbreviation, meaning] : session->meanings)
            meanings +=
                (meanings.empty() ? "" : ", ") + jsonText(abbreviation) + ": " + jsonText(utf8::decode(meaning));
        env.out << "{\"material\": " << jsonText(utf8::decode(practice::materialKindName(options.material)))
                << ", \"lesson\": " << (filter.lesson ? std::to_string(state.lesson) : std::string("null"))
                << ", \"text\": " << jsonText(session->text) << ", \"meanings\": {" << meanings << "}}\n";
    } else {
        env.out << utf8::encode(session->text) << "\n";
    }
    return kExitOk;
}

} // namespace brivo::cli
