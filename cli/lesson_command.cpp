#include "cli/lesson_command.h"

#include "cli/check_report.h"
#include "cli/command_line.h"
#include "cli/drill_command.h"
#include "cli/input_files.h"
#include "common/edit_text.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "common/utf8.h"
#include "common/version.h"
#include "practice/course_session.h"
#include "practice/history/history_store.h"
#include "practice/koch_course.h"
#include "practice/material/material.h"
#include "practice/material/word_lists.h"
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

int report(CommandEnvironment& env, int status, const std::string& message)
{
    return Tool{kProgram, lessonUsage()}.report(env, status, message);
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
    out << "Ordre : " << encodeUtf8(state.order) << "\n";
    out << "Leçon " << state.lesson << " : " << encodeUtf8(characters) << ", nouveau caractère "
        << encodeUtf8(std::u32string(1, state.newest())) << "\n\nCaractère  Erreur  Poids\n";
    for (const char32_t c : characters)
        out << "  " << encodeUtf8(std::u32string(1, c)) << "        " << fixedText(state.errorRate(c), 2, ',') << "    "
            << fixedText(state.weight(c), 2, ',') << "\n";
    out << "\nPour passer à la leçon suivante : score " << fixedText(progress.lastScore, 1, ',') << " (90,0 au moins), "
        << progress.lastSent << " caractères envoyés (100 au moins), nouveau caractère juste " << progress.newestRight
        << " fois sur " << progress.newestSamples << " (80 % de 10 au moins).\n";
}

// The course as the history left it, at the lesson asked for.
struct Course {
    MorseTable table;
    std::u32string order;
    practice::CourseHistory history;
    CourseState state;
    practice::AdvanceProgress progress;
};

// --record: the copy checked, kept in the history, and the course moved
// on when it has earned it.
int recordCopy(const LessonOptions& options, const Course& course, practice::HistoryStore& store,
               CommandEnvironment& env)
{
    CourseState state = course.state;
    const auto keyed = [&course](char32_t c) { return practice::hasPattern(course.table, c); };
    const Result<std::string> sent = readUserText(options.record[0]);
    if (!sent)
        return report(env, kExitFileError, sent.error().message);
    const Result<std::string> copied = readUserText(options.record[1]);
    if (!copied)
        return report(env, kExitFileError, copied.error().message);
    const Result<practice::CopyCheck> check = practice::checkCopy(
        *sent, *copied, keyed, [&course](char32_t c) { return practice::soundsAs(course.table, c); });
    if (!check)
        return report(env, kExitFileError, check.error().message);
    practice::ExerciseConditions conditions;
    conditions.wpm = options.speeds.characterWpm;
    if (options.speeds.effectiveWpm < options.speeds.characterWpm)
        conditions.effectiveWpm = options.speeds.effectiveWpm;
    const int lesson = state.lesson;
    if (const Result<void> stored = store.record(
            *check, conditions, QDateTime::currentDateTimeUtc(),
            practice::CourseTag{course.order, lesson, std::string(practice::materialKindName(options.material))});
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
                    << encodeUtf8(std::u32string(1, state.newest())) << ".\n";
        else if (practice::courseCompleted(state, judged))
            env.out << practice::courseCompletedMessage(state) << "\n";
        else
            env.out << "Le cours reste à la leçon " << lesson << ".\n";
    }
    return kExitOk;
}

// Without --status or --record: the next session's text.
int printSession(const LessonOptions& options, const Course& course, CommandEnvironment& env)
{
    const auto keyed = [&course](char32_t c) { return practice::hasPattern(course.table, c); };
    // A session's length in minutes is measured as the render keys it.
    const auto seconds = [&course, &options](const std::u32string& text) {
        return practice::courseSeconds(text, course.table, options.speeds);
    };
    RandomGenerator random;
    random.seed(options.seed ? *options.seed : clockSeed(env.secondsNow ? env.secondsNow() : 0));
    practice::MaterialSources sources;
    sources.language = options.language;
    practice::useTableSignals(sources, course.table);
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
    // The material keeps to the lesson once the course has begun or one is
    // chosen.
    const bool byLesson = !course.history.checks.empty() || options.lesson.has_value();
    const Result<practice::MaterialSession> session =
        practice::drawCourseSession(course.state, course.history.confusions, options.material, sources, keyed, byLesson,
                                    options.session, seconds, random);
    if (!session)
        return report(env, kExitFileError, session.error().message);
    if (options.json && options.material == practice::MaterialKind::Groups) {
        env.out << "{\"lesson\": " << course.state.lesson << ", \"characters\": " << jsonText(course.state.characters())
                << ", \"text\": " << jsonText(session->text) << "}\n";
    } else if (options.json) {
        std::string meanings;
        for (const auto& [abbreviation, meaning] : session->meanings)
            meanings += (meanings.empty() ? "" : ", ") + jsonText(abbreviation) + ": " + jsonText(decodeUtf8(meaning));
        env.out << "{\"material\": " << jsonText(decodeUtf8(practice::materialKindName(options.material)))
                << ", \"lesson\": " << (byLesson ? std::to_string(course.state.lesson) : std::string("null"))
                << ", \"text\": " << jsonText(session->text) << ", \"meanings\": {" << meanings << "}}\n";
    } else {
        env.out << encodeUtf8(session->text) << "\n";
    }
    return kExitOk;
}

} // namespace

int runLessonCommand(const std::vector<std::string>& args, CommandEnvironment& env,
                     const std::filesystem::path& defaultHistory)
{
    LessonOptions defaults;
    defaults.history = defaultHistory;
    const Result<LessonOptions> parsed = parseLessonOptions(args, defaults);
    if (!parsed)
        return report(env, kExitRefused, parsed.error().message);
    const LessonOptions& options = *parsed;
    if (const std::optional<int> answered =
            Tool{kProgram, lessonUsage()}.helpOrVersion({{}, options.help, options.version}, env))
        return *answered;

    Result<MorseTable> table = readCodeTable(options.table);
    if (!table)
        return report(env, kExitFileError, table.error().message);
    const auto keyed = [&table](char32_t c) { return practice::hasPattern(*table, c); };
    std::string orderText;
    if (const std::optional<std::u32string> named = practice::namedOrder(options.order, keyed)) {
        orderText = encodeUtf8(*named);
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
    Result<practice::CourseHistory> history = store.course(*order);
    if (!history)
        return report(env, kExitFileError, history.error().message);
    Course course{std::move(*table), *order, std::move(*history), {}, {}};
    course.state = practice::replayCourse(*order, course.history.checks, course.history.choices, &course.progress);
    if (options.lesson) {
        if (*options.lesson < practice::kFirstLesson || *options.lesson > static_cast<int>(order->size()))
            return report(env, kExitRefused,
                          "--lesson attend une leçon de 2 à " + std::to_string(order->size()) + " pour cet ordre.");
        if (*options.lesson != course.state.lesson) {
            practice::chooseLesson(course.state, *options.lesson);
            course.progress = {};
        }
    }
    if (options.drill) {
        DrillRequest drill;
        drill.kind = *options.drill == "callsigns" ? DrillKind::Callsigns : DrillKind::Characters;
        drill.lessonCharacters = course.state.characters();
        const Result<std::vector<drills::CharacterAnswer>> answers = store.characterAnswers();
        if (!answers)
            return report(env, kExitFileError, answers.error().message);
        for (const drills::CharacterAnswer& answer : *answers)
            drills::recordAnswer(drill.records, answer);
        drill.wpm = options.speeds.characterWpm;
        drill.seed = options.seed ? *options.seed : clockSeed(env.secondsNow ? env.secondsNow() : 0);
        drill.answers = options.answers;
        drill.json = options.json;
        return runDrill(drill, course.table, env);
    }
    if (options.status) {
        printStatus(env.out, course.state, course.progress, options.json);
        return kExitOk;
    }
    if (!options.record.empty())
        return recordCopy(options, course, store, env);
    return printSession(options, course, env);
}

} // namespace brivo::cli
